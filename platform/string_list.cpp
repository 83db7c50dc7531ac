#include "platform/string_list.h"

#include "platform/byte_scan.h"
#include "platform/exception.h"
#include "platform/system.h"
#include "texts_cp932.h"

namespace {

// Calls `take(begin, length)` for every line of `text`, in order. CR LF, a lone CR and a lone LF
// each end a line; a line end as the last byte adds no empty line after it.
template <typename Take>
void forEachLine(std::string_view text, Take take) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* lineStart = begin;
    while (lineStart != end) {
        const char* lineEnd = byte_scan::findEither(lineStart, end, '\r', '\n');
        take(static_cast<std::size_t>(lineStart - begin),
             static_cast<std::size_t>(lineEnd - lineStart));
        if (lineEnd == end) break;
        lineStart = lineEnd + 1;
        if (*lineEnd == '\r' && lineStart != end && *lineStart == '\n') ++lineStart;
    }
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

    // Counting the lines first costs one more fast scan and saves the line table's growth: its
    // copies, and the fresh pages of every larger table, took longer than the scan.
    std::size_t count = 0;
    forEachLine(text_, [&count](std::size_t, std::size_t) { ++count; });
    lines_.reserve(count);
    forEachLine(text_, [this](std::size_t begin, std::size_t length) {
        lines_.push_back({begin, length});
    });
}

std::string_view TStringList::Strings(std::size_t index) const {
    const LineRange& line = lines_.at(index);
    return std::string_view(text_.data() + line.begin, line.length);
}
