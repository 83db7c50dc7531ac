// The line list of the stand-in class library (TStringList): a text file read whole and split
// into lines. The text is kept in one buffer and the lines as ranges of it, so a journal of a
// million lines costs one allocation for its bytes and one for its line table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    // Reads the file (sharing that refuses other writers) and replaces the list with its lines.
    // Throws EFOpenError "ファイル %s は開けません" with the full path when it cannot be opened.
    void LoadFromFile(const std::string& path);
    // Replaces the list with the lines of `text`.
    void SetText(std::string text);

    std::size_t Count() const { return lines_.size(); }
    // Line `index` (0 = first) without its line end; valid while the list is unchanged.
    std::string_view Strings(std::size_t index) const;

private:
    struct LineRange {
        std::size_t begin;
        std::size_t length;
    };
    std::string text_;
    std::vector<LineRange> lines_;
};
