#include "platform/string_list.h"

#include <cstring>

#include "platform/exception.h"
#include "platform/system.h"
#include "texts_cp932.h"

namespace {

// The next occurrence of `byte` at or after `from`, or `end` when there is none.
const char* nextByte(const char* from, const char* end, char byte) {
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

}  // namespace

void TStringList::LoadFromFile(const std::string& path) {
    std::string content;
    if (!sys::readFileDenyingWriters(path, content)) {
        throw EFOpenError(formatMessage(texts::cannotOpenFile, path));
    }
    SetText(std::move(content));
}

void TStringList::SetText(std::string text) {
    lines_.clear();
    text_ = std::move(text);
    // Nothing from the first NUL on belongs to the text.
    if (std::size_t nul = text_.find('\0'); nul != std::string::npos) text_.resize(nul);

    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    // The next CR and the next LF are each found once with memchr and looked for again only
    // when the scan has passed them, so the text is run through twice at memchr speed.
    const char* nextCr = nextByte(begin, end, '\r');
    const char* nextLf = nextByte(begin, end, '\n');
    const char* lineStart = begin;
    while (lineStart != end) {
        if (nextCr < lineStart) nextCr = nextByte(lineStart, end, '\r');
        if (nextLf < lineStart) nextLf = nextByte(lineStart, end, '\n');
        const char* lineEnd = nextCr < nextLf ? nextCr : nextLf;
        lines_.push_back({static_cast<std::size_t>(lineStart - begin),
                          static_cast<std::size_t>(lineEnd - lineStart)});
        if (lineEnd == end) break;
        lineStart = lineEnd + 1;
        if (*lineEnd == '\r' && lineStart != end && *lineStart == '\n') ++lineStart;
    }
}

std::string_view TStringList::Strings(std::size_t index) const {
    const LineRange& line = lines_.at(index);
    return std::string_view(text_.data() + line.begin, line.length);
}
