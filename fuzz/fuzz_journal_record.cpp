// A journal line read into a record matches a plain split of the line at its TABs: missing fields
// empty, the sixth and later ignored, and the numbers converted field 1 first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exception.h"
#include "platform/str_to_int.h"
#include "run/journal_record.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string> splitAtTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', begin);
        fields.emplace_back(line.substr(begin, tab - begin));
        if (tab == std::string_view::npos) break;
        begin = tab + 1;
    }
    fields.resize(fields.size() < 5 ? 5 : fields.size());
    return fields;
}

std::string conversionMessage(const std::string& field) {
    try {
        StrToInt(field);
    } catch (const EConvertError& error) {
        return error.Message();
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = splitAtTabs(line);
    const std::string firstError = conversionMessage(fields[0]);
    const std::string secondError = conversionMessage(fields[1]);
    try {
        const JournalRecord record = readJournalRecord(line);
        require(firstError.empty() && secondError.empty());
        require(record.firstDownCount == StrToInt(fields[0]));
        require(record.secondDownCount == StrToInt(fields[1]));
        require(record.firstText == fields[2]);
        require(record.secondText == fields[3]);
        require(record.thirdText == fields[4]);
    } catch (const EConvertError& error) {
        require(error.Message() == (firstError.empty() ? secondError : firstError));
        require(!error.Message().empty());
    }
    return 0;
}
