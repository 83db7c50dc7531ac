// Bad input on the simulated system: exported and random journals in a run enter whole records
// only; settings files in other encodings; a 100 MB journal and a 10 MB line read whole; a huge
// Down count sent in full.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "../common/exported_journals.h"
#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "platform/string_list.h"
#include "run/entry_run.h"
#include "run/run_setup.h"
#include "texts_cp932.h"
#include "trace_steps.h"

namespace {

using namespace exported_journals;
using namespace trace_steps;

const std::string journal = "C:\\Zorvel\\journal.txt";
const std::string conf = "C:\\Zorvel\\conf.txt";
const std::string typeText = "T";

void freshSystem() {
    sim::reset();
    sim::setClipboardText("before the run");
    sim::addFile(conf, typeText + "\r\n");
}

// Runs the journal and returns its conversion error, if one ended the run.
std::optional<std::string> runJournal(std::string bytes) {
    sim::addFile(journal, std::move(bytes));
    try {
        runEntry(owner, positions);
    } catch (const EConvertError& error) {
        return error.Message();
    }
    return std::nullopt;
}

// The run enters exactly the given records, each whole, and ends with the completion message
// only when no line failed.
void expectWholeRecords(const Outcome& expected, const std::string& name) {
    Steps steps = {"wait 2000"};
    for (const JournalRecord& record : expected.records) {
        const Steps one = recordSteps(typeText, record);
        steps.insert(steps.end(), one.begin(), one.end());
    }
    if (!expected.error) steps.push_back("completion message");
    EXPECT_TRUE(sameSteps(runSteps(), steps)) << name;
    EXPECT_EQ(sim::clipboardText(),
              expected.records.empty() ? "before the run" : expected.records.back().thirdText)
        << name;
}

TEST(BadInput, ExportedJournalsEnterWholeRecordsOnly) {
    for (const ExportCase& c : exportCases()) {
        freshSystem();
        EXPECT_EQ(runJournal(c.bytes), c.expected.error) << c.name;
        expectWholeRecords(c.expected, c.name);
    }
}

// The reading of the file is the reference here: it is pinned against the formats by the
// reading tests, and the run must enter just the records it gives, each one whole.
TEST(BadInput, RandomJournalsEnterWholeRecordsOnly) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        for (const std::string& bytes : {randomBytes(seed, seed * 50), randomJournal(seed, 20)}) {
            const std::string name = "seed " + std::to_string(seed);
            const Outcome expected = readJournal(bytes);
            std::int64_t presses = 0;
            for (const JournalRecord& r : expected.records) {
                presses += std::max(r.firstDownCount, 0) + std::max(r.secondDownCount, 0);
            }
            ASSERT_LT(presses, 1000000) << name << ": too slow to trace, take other seeds";
            freshSystem();
            EXPECT_EQ(runJournal(bytes), expected.error) << name;
            expectWholeRecords(expected, name);
        }
    }
}

TEST(BadInput, SettingsFileInUtf16) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::string> typeText;  // none: the settings file counts as invalid
    };
    const Case cases[] = {
        {"LE with BOM: the BOM and the first letter", "\xFF\xFE" + utf16("Type\r\n", true),
         "\xFF\xFE"
         "T"},
        {"LE without BOM: the first letter", utf16("Type\r\n", true), "T"},
        {"BE without BOM: a NUL first, no lines", utf16("Type\r\n", false), std::nullopt},
    };
    for (const Case& c : cases) {
        sim::reset();
        sim::addFile(journal, "3\t1\tA\tB\tC\r\n");
        sim::addFile(conf, c.bytes);
        const std::optional<PreparedRun> run = prepareRun(owner, positions);
        ASSERT_EQ(run.has_value(), c.typeText.has_value()) << c.name;
        if (run) {
            EXPECT_EQ(run->typeText, *c.typeText) << c.name;
        } else {
            ASSERT_EQ(sim::trace().back().op, sim::Op::messageBox) << c.name;
            EXPECT_EQ(sim::trace().back().text, texts::settingsInvalid) << c.name;
        }
    }
}

// Records of the large files are read as a run reads them, without the run's traced sequence:
// two million traced records would make a trace of gigabytes.
std::size_t loadJournal(std::string bytes, TStringList& lines) {
    sim::reset();
    sim::addFile(journal, std::move(bytes));
    lines.LoadFromFile(journal);
    return lines.Count();
}

// The lines of a large journal, each telling its own index, so that a lost, doubled or shifted
// line shows: counts index % 1000 (three digits, leading zeros) and -(index % 7), and texts
// holding the index in eight digits. The line is rewritten in place from one index to the next.
class NumberedLines {
public:
    const std::string& line() const { return line_; }
    bool matches(const JournalRecord& record) const {
        return record.firstDownCount == static_cast<std::int32_t>(index_ % 1000) &&
               record.secondDownCount == -static_cast<std::int32_t>(index_ % 7) &&
               holds(record.firstText, 7, 12) && holds(record.secondText, 20, 12) &&
               holds(record.thirdText, 33, 13);
    }
    // Plain memory calls: the test spends its time in the reading, not in its own bookkeeping.
    void advance() {
        ++index_;
        for (std::size_t d = 7; ++digits_[d] > '9' && d > 0; --d) digits_[d] = '0';
        char* const line = line_.data();
        std::memcpy(line, digits_ + 5, 3);
        line[5] = static_cast<char>('0' + index_ % 7);
        for (std::size_t at : {11, 21, 33}) std::memcpy(line + at, digits_, 8);
    }

private:
    bool holds(const std::string& text, std::size_t at, std::size_t length) const {
        return text.size() == length && std::memcmp(text.data(), line_.data() + at, length) == 0;
    }

    std::size_t index_ = 0;
    char digits_[8] = {'0', '0', '0', '0', '0', '0', '0', '0'};
    std::string line_ =
        "000\t-0\t\x8e\x64\x90\xd8"
        "00000000\tB00000000\x95\x5c \t00000000 \x8e\x64 C\r\n";
};

TEST(BadInput, HundredMegabyteJournalIsReadWhole) {
    constexpr std::size_t size = 100u << 20;
    std::string bytes;
    bytes.reserve(size + 64);
    std::size_t written = 0;
    for (NumberedLines numbered; bytes.size() < size; numbered.advance(), ++written) {
        bytes += numbered.line();
    }

    TStringList lines;
    const std::size_t count = loadJournal(std::move(bytes), lines);
    ASSERT_EQ(count, written);
    EXPECT_GT(count, 2000000u);
    NumberedLines expected;
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < count; ++i, expected.advance()) {
        if (!expected.matches(readJournalRecord(lines.Strings(i))) && wrong++ == 0) {
            ADD_FAILURE() << "line " << i << ": " << lines.Strings(i);
        }
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(BadInput, TenMegabyteLineIsOneRecordOrItsErrorUnchanged) {
    constexpr std::size_t size = 10u << 20;
    const std::string longText(size, '\x95');  // a lead byte of Shift-JIS, over and over
    const std::string digits(size, '7');
    TStringList lines;

    ASSERT_EQ(loadJournal("3\t1\tA\tB\t" + longText + "\r\n", lines), 1u);
    const JournalRecord record = readJournalRecord(lines.Strings(0));
    EXPECT_EQ(shown(record), shown(JournalRecord{3, 1, "A", "B", longText}));

    // Far out of range, and the message holds all ten million digits.
    ASSERT_EQ(loadJournal(digits + "\t1\tA\tB\tC", lines), 1u);
    try {
        readJournalRecord(lines.Strings(0));
        ADD_FAILURE() << "ten million digits converted";
    } catch (const EConvertError& error) {
        EXPECT_TRUE(error.Message() == notAnInteger(digits));
    }

    // In a run, untraced, the long text reaches the clipboard whole.
    freshSystem();
    sim::setTracing(false);
    EXPECT_EQ(runJournal("0\t0\tA\tB\t" + longText + "\r\n"), std::nullopt);
    EXPECT_TRUE(sim::clipboardText() == longText);
}

TEST(BadInput, HugeDownCountIsSentInFull) {
    freshSystem();
    EXPECT_EQ(runJournal("100000\t70000\tA\tB\tC\r\n"), std::nullopt);
    // The Down presses after each of the record's eight Tabs: each press one send of the down and
    // up records, the first right after the wait that follows the Tab, the others back to back.
    std::vector<int> pressesAfterTab;
    const std::vector<sim::Event>& trace = sim::trace();
    for (std::size_t i = 0; i < trace.size(); ++i) {
        const sim::Event& event = trace[i];
        if (event.op != sim::Op::sendInput || event.inputs[0].type != INPUT_KEYBOARD) continue;
        if (event.inputs[0].ki.wVk == 9) pressesAfterTab.push_back(0);
        if (event.inputs[0].ki.wVk != 40) continue;
        ASSERT_FALSE(pressesAfterTab.empty());
        ASSERT_EQ(event.inputs.size(), 2u);
        ASSERT_EQ(event.inputs[1].ki.wVk, 40);
        ASSERT_EQ(event.inputs[1].ki.dwFlags, KEYEVENTF_KEYUP);
        const sim::Op before = pressesAfterTab.back() == 0 ? sim::Op::sleep : sim::Op::sendInput;
        ASSERT_EQ(trace[i - 1].op, before) << "at press " << pressesAfterTab.back();
        ++pressesAfterTab.back();
    }
    EXPECT_EQ(pressesAfterTab, (std::vector<int>{100000, 70000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(trace.back().op, sim::Op::messageBox);
    EXPECT_EQ(sim::now(), 2000u + 4900u);
}

}  // namespace
