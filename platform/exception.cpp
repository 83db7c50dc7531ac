#include "platform/exception.h"

#include "platform/system.h"

void RaiseLastOSError() {
    // Read first: building the message may make system calls of its own.
    const DWORD error = sys::lastError();
    throw EOSError(sys::errorText(error), error);
}

std::string formatMessage(std::string_view pattern, std::string_view argument) {
    std::string message(pattern);
    if (std::size_t at = message.find("%s"); at != std::string::npos) {
        message.replace(at, 2, argument);
    }
    return message;
}
