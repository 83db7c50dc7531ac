// The line list never yields a line with CR, LF or NUL in it, and its lines joined with the line
// ends they had give back the text up to its first NUL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/string_list.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TStringList lines;
    lines.SetText(text);

    const std::string_view readable = std::string_view(text).substr(0, text.find('\0'));
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Strings(i);
        require(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);
        require(readable.substr(at, line.size()) == line);
        at += line.size();
        // Each line but a last one cut short by the end (or a NUL) is followed by its line end.
        if (at < readable.size()) {
            require(readable[at] == '\r' || readable[at] == '\n');
            at += readable.compare(at, 2, "\r\n") == 0 ? 2 : 1;
        }
    }
    require(at == readable.size());
    return 0;
}
