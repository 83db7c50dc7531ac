#include "platform/str_to_int.h"

#include <limits>

#include "platform/exception.h"
#include "texts_cp932.h"

std::int32_t StrToInt(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }

    // The magnitude is kept in 64 bits and stops growing once it is out of range, so that any
    // number of digits (leading zeros included) is read without overflow.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    const std::size_t firstDigit = at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (text[at] - '0');
    }

    const bool wellFormed = at == text.size() && at > firstDigit;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (!wellFormed || value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min()) {
        throw EConvertError(formatMessage(texts::notAnInteger, text));
    }
    return static_cast<std::int32_t>(value);
}
