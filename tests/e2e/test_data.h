// The settings and journals the end-to-end scenarios write beside Zorvel.exe, and the records the
// target form must then hold. All texts are code page 932 bytes from e2e_texts_cp932.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "e2e_texts_cp932.h"
#include "texts_cp932.h"

namespace e2e {

inline std::string join(const std::vector<std::string_view>& fields, std::string_view separator) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += separator;
        line += fields[i];
    }
    return line;
}

inline std::string journalLine(const std::vector<std::string_view>& fields) {
    return join(fields, "\t") + "\r\n";
}

// The first line is the type text; the second must be ignored.
inline std::string settings() {
    return std::string(e2e::typeText) + "\r\n" + std::string(e2e::confIgnoredLine) + "\r\n";
}

// Three records: plain counts; a line of four fields (the third text missing); a plus sign,
// a leading zero and a leading space in the counts, an empty second text and a sixth field.
inline std::string journalLine1() {
    return journalLine({"2", "1", e2e::firstText1, e2e::secondText1, e2e::thirdText1});
}
inline std::string journalLine2() {
    return journalLine({"0", "3", e2e::firstText2, e2e::secondText2});
}
inline std::string journalLine3() {
    return journalLine({"+05", " 2", e2e::firstText3, "", e2e::thirdText3, e2e::ignoredField});
}
inline std::string journal() { return journalLine1() + journalLine2() + journalLine3(); }

// What the target form stores for one record: the type text, the two selected indices, the text
// fields at the Tab stops 3 to 8 (the constant text at 4, nothing at 6 and 7).
inline std::string record(std::string_view first, std::string_view second,
                          std::string_view firstText, std::string_view secondText,
                          std::string_view thirdText) {
    return join(
        {e2e::typeText, first, second, firstText, texts::partition, secondText, "", "", thirdText},
        "\t");
}
inline std::vector<std::string> journalRecords() {
    return {
        record("2", "1", e2e::firstText1, e2e::secondText1, e2e::thirdText1),
        record("0", "3", e2e::firstText2, e2e::secondText2, ""),
        record("5", "2", e2e::firstText3, "", e2e::thirdText3),
    };
}

// A journal whose third line has a count in full-width digits: not an integer.
inline std::string journalBadThirdLine() {
    return journalLine1() + journalLine3() +
           journalLine({e2e::badCount, "2", e2e::firstText2, e2e::secondText2, "x"});
}
inline std::string journalMendedThirdLine() {
    return journalLine1() + journalLine3() +
           journalLine({"1", "2", e2e::firstText2, e2e::secondText2, "x"});
}
inline std::vector<std::string> mendedRecords() {
    return {
        record("2", "1", e2e::firstText1, e2e::secondText1, e2e::thirdText1),
        record("5", "2", e2e::firstText3, "", e2e::thirdText3),
        record("1", "2", e2e::firstText2, e2e::secondText2, "x"),
    };
}

inline std::string notAnInteger(std::string_view field) {
    std::string message(texts::notAnInteger);
    message.replace(message.find("%s"), 2, field);
    return message;
}

inline std::string cannotOpenFile(std::string_view path) {
    std::string message(texts::cannotOpenFile);
    message.replace(message.find("%s"), 2, path);
    return message;
}

}  // namespace e2e
