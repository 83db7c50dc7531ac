// Journal files as users' exports really write them, random files, and the reading of a file
// into records up to its first conversion error: shared by the reading tests and the run tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exception.h"
#include "platform/string_list.h"
#include "run/journal_record.h"
#include "texts_cp932.h"

namespace exported_journals {

// What a journal file gives: the records before the first line that does not convert, and that
// line's conversion error (none when every line converts).
struct Outcome {
    std::vector<JournalRecord> records;
    std::optional<std::string> error;
};

inline Outcome readJournal(std::string bytes) {
    TStringList lines;
    lines.SetText(std::move(bytes));
    Outcome outcome;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        try {
            outcome.records.push_back(readJournalRecord(lines.Strings(i)));
        } catch (const EConvertError& error) {
            outcome.error = error.Message();
            break;
        }
    }
    return outcome;
}

// A record as one comparable line, "3 1 [A] [B] [C]".
inline std::string shown(const JournalRecord& record) {
    return std::to_string(record.firstDownCount) + " " + std::to_string(record.secondDownCount) +
           " [" + record.firstText + "] [" + record.secondText + "] [" + record.thirdText + "]";
}

inline std::vector<std::string> shown(const std::vector<JournalRecord>& records) {
    std::vector<std::string> lines;
    for (const JournalRecord& record : records) lines.push_back(shown(record));
    return lines;
}

inline std::string notAnInteger(std::string_view field) {
    return formatMessage(texts::notAnInteger, field);
}

// ASCII text as UTF-16 code units, the low byte first or the high byte first.
inline std::string utf16(std::string_view ascii, bool lowByteFirst) {
    std::string units;
    for (char c : ascii) {
        units += lowByteFirst ? c : '\0';
        units += lowByteFirst ? '\0' : c;
    }
    return units;
}

struct ExportCase {
    const char* name;
    std::string bytes;
    Outcome expected;
};

// Bytes are taken as they stand: no byte-order mark is recognised and nothing is converted.
inline std::vector<ExportCase> exportCases() {
    const std::string sjisPartition = "\x8e\x64\x90\xd8";
    const std::string sjisTable = "\x95\x5c";  // second byte 0x5C, the backslash
    const std::string utf8Item = "\xe5\x93\x81\xe7\x9b\xae";
    const std::string twoLines = "3\t1\tA\tB\tC\r\n0\t2\tD\tE\tF\r\n";
    const std::vector<JournalRecord> twoRecords = {{3, 1, "A", "B", "C"}, {0, 2, "D", "E", "F"}};
    return {
        {"Shift-JIS with CR LF",
         "3\t1\t" + sjisPartition + "\t" + sjisTable + "\tC\r\n0\t2\tD\tE\tF\r\n",
         {{{3, 1, sjisPartition, sjisTable, "C"}, {0, 2, "D", "E", "F"}}, std::nullopt}},
        {"LF only", "3\t1\tA\tB\tC\n0\t2\tD\tE\tF\n", {twoRecords, std::nullopt}},
        {"CR only", "3\t1\tA\tB\tC\r0\t2\tD\tE\tF\r", {twoRecords, std::nullopt}},
        {"UTF-8 without BOM: the bytes as they stand",
         "3\t1\t" + utf8Item + "\t" + utf8Item + "B\tC\r\n",
         {{{3, 1, utf8Item, utf8Item + "B", "C"}}, std::nullopt}},
        {"UTF-8 BOM: field 1 holds it",
         "\xEF\xBB\xBF" + twoLines,
         {{}, notAnInteger(std::string("\xEF\xBB\xBF") + "3")}},
        // The text ends at the first NUL, the high byte of the first unit.
        {"UTF-16 LE with BOM",
         "\xFF\xFE" + utf16(twoLines, true),
         {{}, notAnInteger(std::string("\xFF\xFE") + "3")}},
        {"UTF-16 LE without BOM: the line is \"3\", field 2 empty",
         utf16(twoLines, true),
         {{}, notAnInteger("")}},
        {"UTF-16 BE with BOM", "\xFE\xFF" + utf16(twoLines, false), {{}, notAnInteger("\xFE\xFF")}},
        {"UTF-16 BE without BOM: a NUL first, no lines",
         utf16(twoLines, false),
         {{}, std::nullopt}},
        {"TAB after the fifth field",
         "3\t1\tA\tB\tC\t\r\n0\t2\tD\tE\tF\t\r\n",
         {twoRecords, std::nullopt}},
        {"TAB after the fourth field: empty thirdText",
         "3\t1\tA\tB\t\r\n0\t2\tD\tE\t\r\n",
         {{{3, 1, "A", "B", ""}, {0, 2, "D", "E", ""}}, std::nullopt}},
        {"blank line at the end", twoLines + "\r\n", {twoRecords, notAnInteger("")}},
        {"quoted fields", "\"3\"\t\"1\"\t\"A\"\t\"B\"\t\"C\"\r\n", {{}, notAnInteger("\"3\"")}},
    };
}

// `size` bytes of every value, NUL included.
inline std::string randomBytes(std::uint64_t seed, std::size_t size) {
    std::mt19937_64 next(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(next() & 0xff);
    return bytes;
}

// Lines whose numbers are mostly good and now and then bad, and whose texts are random bytes,
// separators, line ends and NULs among them; so that records get through and lines break apart.
inline std::string randomJournal(std::uint64_t seed, int lines) {
    static const char* const goodNumbers[] = {"3", "0", "-1", " 2", "+1", "007"};
    static const char* const badNumbers[] = {"", " ", "x", "1 ", "2147483648", "\xEF\xBB\xBF\x31"};
    std::mt19937_64 next(seed);
    auto number = [&next] {
        const std::uint64_t r = next();
        return r % 8 == 0 ? badNumbers[r / 8 % std::size(badNumbers)]
                          : goodNumbers[r / 8 % std::size(goodNumbers)];
    };
    std::string journal;
    for (int line = 0; line < lines; ++line) {
        journal += number();
        journal += '\t';
        journal += number();
        for (int field = 0; field < 3; ++field) {
            journal += '\t';
            // Mostly printable or high bytes; now and then a control byte that cuts the line.
            for (std::uint64_t n = next() % 12; n > 0; --n) {
                const std::uint64_t r = next();
                journal +=
                    r % 64 == 0 ? "\t\r\n\0"[r / 64 % 4] : static_cast<char>(0x20 + r % 0xe0);
            }
        }
        journal += next() % 2 ? "\r\n" : "\n";
    }
    return journal;
}

}  // namespace exported_journals
