#include "platform/file_paths.h"

#include "platform/system.h"

namespace {

// Paths are ANSI text in code page 932, where the second byte of a double-byte character can be
// 0x5C, the backslash; a separator is only a byte that starts a character.
bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isSeparator(char c) { return c == '\\' || c == ':'; }

}  // namespace

std::string ExecutablePath() { return sys::moduleFileName(); }

std::string ExtractFileDir(std::string_view path) {
    constexpr std::size_t none = std::string_view::npos;
    std::size_t lastSeparator = none;
    std::size_t charBeforeLast = none;
    std::size_t previousChar = none;
    for (std::size_t at = 0; at < path.size();) {
        if (isSeparator(path[at])) {
            lastSeparator = at;
            charBeforeLast = previousChar;
        }
        previousChar = at;
        const bool doubleByte =
            isCp932LeadByte(static_cast<unsigned char>(path[at])) && at + 1 < path.size();
        at += doubleByte ? 2 : 1;
    }
    // A bare file name has no folder part.
    if (lastSeparator == none) return {};

    const bool cutBefore =
        path[lastSeparator] == '\\' && charBeforeLast != none && !isSeparator(path[charBeforeLast]);
    return std::string(path.substr(0, cutBefore ? lastSeparator : lastSeparator + 1));
}

bool FileExists(const std::string& path) { return sys::fileExists(path); }
