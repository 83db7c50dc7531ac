// One journal line cut into its five TAB-separated fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct JournalRecord {
    std::int32_t firstDownCount = 0;
    std::int32_t secondDownCount = 0;
    std::string firstText;
    std::string secondText;
    std::string thirdText;
};

// Takes the first TAB-separated field off `line` and returns it; `line` keeps what follows the
// TAB, or becomes empty when it holds no TAB. Never fails.
std::string cutField(std::string& line);

// Cuts `line` (left unchanged) field by field, converting each number right after its cut, so
// that when both numbers are bad the error names the first. Throws EConvertError.
JournalRecord readJournalRecord(std::string_view line);

// The same into `record`, whose texts keep their storage from one line to the next: a loop over
// a journal allocates only for a text longer than any before it. On an error `record` is left
// as it was.
void readJournalRecord(std::string_view line, JournalRecord& record);
