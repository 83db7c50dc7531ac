#include "platform/string_list.h"

#include "platform/byte_scan.h"
#include "platform/exception.h"
#include "platform/system.h"
#include "texts_cp932.h"

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
    const char* lineStart = begin;
    while (lineStart != end) {
        const char* lineEnd = byte_scan::findEither(lineStart, end, '\r', '\n');
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
