#include "run/journal_record.h"

#include "platform/byte_scan.h"
#include "platform/str_to_int.h"

namespace {

// The one cutting rule, on a view: the text before the first TAB comes off the front of `rest`,
// and the TAB with it; without a TAB all of `rest` comes off.
std::string_view cutFieldOff(std::string_view& rest) {
    const char* const end = rest.data() + rest.size();
    const std::size_t tab =
        static_cast<std::size_t>(byte_scan::find(rest.data(), end, '\t') - rest.data());
    const std::string_view field = rest.substr(0, tab);
    rest = tab == rest.size() ? std::string_view() : rest.substr(tab + 1);
    return field;
}

}  // namespace

std::string cutField(std::string& line) {
    std::string_view rest = line;
    std::string field(cutFieldOff(rest));
    line.erase(0, line.size() - rest.size());
    return field;
}

// The working text is a view of the loaded line, which is never changed; cutting the view
// saves a copy of every line and a shift of its rest at every field. Both numbers are converted
// before any text is stored, so that a bad line leaves the record untouched.
void readJournalRecord(std::string_view line, JournalRecord& record) {
    std::string_view rest = line;
    const std::int32_t firstDownCount = StrToInt(cutFieldOff(rest));
    const std::int32_t secondDownCount = StrToInt(cutFieldOff(rest));
    const std::string_view firstText = cutFieldOff(rest);
    const std::string_view secondText = cutFieldOff(rest);
    const std::string_view thirdText = cutFieldOff(rest);
    record.firstDownCount = firstDownCount;
    record.secondDownCount = secondDownCount;
    record.firstText.assign(firstText);
    record.secondText.assign(secondText);
    record.thirdText.assign(thirdText);
}

JournalRecord readJournalRecord(std::string_view line) {
    JournalRecord record;
    readJournalRecord(line, record);
    return record;
}
