// Journal files that users' exports produce, and random bytes, read into records: each gives the
// records as written, the bytes as they stand, or the conversion error of its first bad line.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "exported_journals.h"

namespace {

using namespace exported_journals;

TEST(ExportedJournal, ReadsAsTheFormatsSay) {
    for (const ExportCase& c : exportCases()) {
        const Outcome outcome = readJournal(c.bytes);
        EXPECT_EQ(shown(outcome.records), shown(c.expected.records)) << c.name;
        EXPECT_EQ(outcome.error, c.expected.error) << c.name;
    }
}

bool holdsSeparator(std::string_view text) {
    return text.find_first_of(std::string_view("\t\r\n\0", 4)) != std::string_view::npos;
}

// Whatever the bytes, every line becomes a record until one fails, and the failure is the
// conversion error naming field 1 or field 2 of that line exactly as it stands.
void expectRecordsOrAConversionError(const std::string& bytes, const std::string& name) {
    const Outcome outcome = readJournal(bytes);
    TStringList lines;
    lines.SetText(bytes);
    for (const JournalRecord& record : outcome.records) {
        EXPECT_FALSE(holdsSeparator(record.firstText) || holdsSeparator(record.secondText) ||
                     holdsSeparator(record.thirdText))
            << name;
    }
    if (!outcome.error) {
        EXPECT_EQ(outcome.records.size(), lines.Count()) << name;
        return;
    }
    ASSERT_LT(outcome.records.size(), lines.Count()) << name;
    std::string line(lines.Strings(outcome.records.size()));
    const std::string field1 = cutField(line);
    const std::string field2 = cutField(line);
    EXPECT_TRUE(*outcome.error == notAnInteger(field1) || *outcome.error == notAnInteger(field2))
        << name;
}

TEST(ExportedJournal, RandomBytesGiveRecordsOrAConversionError) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        expectRecordsOrAConversionError(randomBytes(seed, seed * 20),
                                        "random bytes, seed " + std::to_string(seed));
        expectRecordsOrAConversionError(randomJournal(seed, 20),
                                        "random journal, seed " + std::to_string(seed));
    }
}

}  // namespace
