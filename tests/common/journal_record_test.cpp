// Cutting a journal line into its five fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exception.h"
#include "run/journal_record.h"

namespace {

TEST(CutField, YieldsFieldsThenTheRestThenEmptyTexts) {
    std::string line = "a\t\tb c\t";
    std::vector<std::string> fields;
    std::vector<std::string> rests;
    for (int i = 0; i < 5; ++i) {
        fields.push_back(cutField(line));
        rests.push_back(line);
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "b c", "", ""}));
    EXPECT_EQ(rests, (std::vector<std::string>{"\tb c\t", "b c\t", "", "", ""}));
}

TEST(CutField, TakesALineWithoutTabWhole) {
    std::string line = " x y ";
    EXPECT_EQ(cutField(line), " x y ");
    EXPECT_EQ(line, "");
}

// The TAB is looked for sixteen bytes at a time, then eight, then one: it must be found at every
// offset of each step (41 bytes reach all three), among bytes one bit away from it (0x08, 0x0B,
// 0x89) and Shift-JIS bytes.
TEST(CutField, FindsTheTabAtEveryOffsetAmongNeighbouringBytes) {
    const std::string pattern =
        "\x08\x0b\x89\x88\x8b\x0d\x0a\x01\x29\x49\xff\x80\x95\x5c\x08\x89\x0b";
    const std::string filler = (pattern + pattern + pattern).substr(0, 41);
    for (std::size_t at = 0; at <= filler.size(); ++at) {
        std::string line = filler.substr(0, at) + "\t" + filler.substr(at) + "\t";
        EXPECT_EQ(cutField(line), filler.substr(0, at)) << "offset " << at;
        EXPECT_EQ(line, filler.substr(at) + "\t") << "offset " << at;
    }
}

struct RecordCase {
    const char* name;
    std::string line;
    JournalRecord expected;
};

TEST(ReadJournalRecord, CutsFiveFields) {
    const RecordCase cases[] = {
        {"five fields", "3\t1\tA\tB\tC", {3, 1, "A", "B", "C"}},
        {"six fields: the sixth is dropped", "3\t1\tA\tB\tC\tD", {3, 1, "A", "B", "C"}},
        {"tab after the fifth field", "3\t1\tA\tB\tC\t", {3, 1, "A", "B", "C"}},
        {"three fields", "0\t-2\tA", {0, -2, "A", "", ""}},
        {"tab right after the fourth field", "3\t1\tA\tB\t", {3, 1, "A", "B", ""}},
        {"two tabs among the texts", "3\t1\t\tB\tC", {3, 1, "", "B", "C"}},
        {"blanks and Shift-JIS stay",
         " +5\t007\t A \t\x8e\x64\x90\xd8\t ",
         {5, 7, " A ", "\x8e\x64\x90\xd8", " "}},
    };
    for (const RecordCase& c : cases) {
        const JournalRecord record = readJournalRecord(c.line);
        EXPECT_EQ(record.firstDownCount, c.expected.firstDownCount) << c.name;
        EXPECT_EQ(record.secondDownCount, c.expected.secondDownCount) << c.name;
        EXPECT_EQ(record.firstText, c.expected.firstText) << c.name;
        EXPECT_EQ(record.secondText, c.expected.secondText) << c.name;
        EXPECT_EQ(record.thirdText, c.expected.thirdText) << c.name;
    }
}

// The run reads every line into one record: a shorter line leaves nothing of a longer one before
// it, and a bad line leaves the record as the last good line made it.
TEST(ReadJournalRecord, IntoARecordReplacesEveryFieldAndKeepsItOnError) {
    JournalRecord record;
    readJournalRecord("12\t7\ta long first text\ta long second text\ta long third text", record);
    readJournalRecord("1\t2\tx", record);
    EXPECT_EQ(record.firstDownCount, 1);
    EXPECT_EQ(record.secondDownCount, 2);
    EXPECT_EQ(record.firstText, "x");
    EXPECT_EQ(record.secondText, "");
    EXPECT_EQ(record.thirdText, "");

    readJournalRecord("3\t4\tA\tB\tC", record);
    EXPECT_THROW(readJournalRecord("5\tbad\tD\tE\tF", record), EConvertError);
    EXPECT_EQ(record.firstDownCount, 3);
    EXPECT_EQ(record.secondDownCount, 4);
    EXPECT_EQ(record.firstText, "A");
    EXPECT_EQ(record.secondText, "B");
    EXPECT_EQ(record.thirdText, "C");
}

struct BadNumberCase {
    const char* name;
    std::string line;
    std::string namedField;
};

TEST(ReadJournalRecord, NamesTheFirstBadNumber) {
    const BadNumberCase cases[] = {
        {"empty line", "", ""},
        {"line starting with a tab", "\t1\tA\tB\tC", ""},
        {"two tabs after the first field", "3\t\tA\tB\tC", ""},
        {"both numbers bad names field 1", "x\ty\tA\tB\tC", "x"},
        {"trailing space after field 2", "3\t1 \tA", "1 "},
        {"byte-order mark before field 1",
         "\xEF\xBB\xBF"
         "3\t1\tA",
         "\xEF\xBB\xBF"
         "3"},
    };
    for (const BadNumberCase& c : cases) {
        try {
            readJournalRecord(c.line);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message().substr(0, c.namedField.size() + 3), "'" + c.namedField + "' ")
                << c.name;
        }
    }
}

}  // namespace
