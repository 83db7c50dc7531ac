#include "platform/int_to_str.h"

#include <cstdio>

std::string IntToStr(std::int32_t value) {
    char text[16];
    int length = std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    return std::string(text, static_cast<std::size_t>(length));
}
