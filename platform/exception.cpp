#include "platform/exception.h"

std::string formatMessage(std::string_view pattern, std::string_view argument) {
    std::string message(pattern);
    if (std::size_t at = message.find("%s"); at != std::string::npos) {
        message.replace(at, 2, argument);
    }
    return message;
}
