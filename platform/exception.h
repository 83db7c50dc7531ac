// The exception family of the tool's stand-in class library. Messages are ANSI (code page 932)
// byte strings, shown as they are by the exception display.
#pragma once

#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is not an integer of the accepted form.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A file that exists but cannot be opened.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A failed system call, carrying the system's own error text.
class EOSError : public Exception {
public:
    EOSError(std::string message, unsigned long errorCode)
        : Exception(std::move(message)), errorCode_(errorCode) {}
    unsigned long ErrorCode() const noexcept { return errorCode_; }

private:
    unsigned long errorCode_;
};

// Throws EOSError for the system call that just failed, with the system's text for its error.
[[noreturn]] void RaiseLastOSError();

// Puts `argument` in place of the one "%s" of `pattern` (the texts keep their placeholders so
// that they read as the messages they are).
std::string formatMessage(std::string_view pattern, std::string_view argument);
