#include "run/journal_record.h"

#include "platform/str_to_int.h"

std::string cutField(std::string& line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
        std::string field = std::move(line);
        line.clear();
        return field;
    }
    std::string field = line.substr(0, tab);
    line.erase(0, tab + 1);
    return field;
}

JournalRecord readJournalRecord(std::string_view line) {
    std::string rest(line);
    JournalRecord record;
    record.firstDownCount = StrToInt(cutField(rest));
    record.secondDownCount = StrToInt(cutField(rest));
    record.firstText = cutField(rest);
    record.secondText = cutField(rest);
    record.thirdText = cutField(rest);
    return record;
}
