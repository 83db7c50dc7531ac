// StrToInt accepts exactly the decimal form (leading spaces, one sign, digits, 32-bit range), and
// what it accepts prints back to the same value.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/exception.h"
#include "platform/str_to_int.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// The accepted form, checked the slow and obvious way.
bool referenceParse(std::string_view text, std::int32_t& value) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return false;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') {
        negative = text[at] == '-';
        ++at;
    }
    const std::string_view digits = text.substr(at);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (char digit : digits) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::int32_t expected = 0;
    const bool accepted = referenceParse(text, expected);
    try {
        const std::int32_t value = StrToInt(text);
        require(accepted && value == expected);
        require(StrToInt(std::to_string(value)) == value);
    } catch (const EConvertError& error) {
        require(!accepted);
        const std::string& message = error.Message();
        require(message.size() > text.size() + 2 && message[0] == '\'' &&
                message.compare(1, text.size(), text) == 0 && message[text.size() + 1] == '\'');
    }
    return 0;
}
