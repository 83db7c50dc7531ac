// The run after set-up on the simulated system: the batches, the initial wait, the sequence of
// every record, the clipboard, and how the run ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "run/entry_run.h"
#include "texts_cp932.h"
#include "trace_steps.h"

namespace {

using namespace std::string_literals;
using namespace trace_steps;

const std::string journal = "C:\\Zorvel\\journal.txt";
const std::string conf = "C:\\Zorvel\\conf.txt";
const std::string typeText = "T";
const std::string partition(texts::partition);

// The whole of one record, for the line 3, 1, A, B, C and typeText "T".
const Steps recordOfThreeOneABC = {
    "wait 500",
    "click first",
    "wait 500",
    "clear",
    "put T",
    "paste T",
    "tab",
    "wait 500",
    "down",
    "down",
    "down",
    "tab",
    "wait 500",
    "down",
    "tab",
    "wait 500",
    "put A",  // onto the clipboard as it is: no clear before
    "paste A",
    "tab",
    "wait 500",
    "clear",
    "put " + partition,
    "paste " + partition,
    "tab",
    "wait 500",
    "clear",
    "put B",
    "paste B",
    "tab",
    "wait 200",
    "tab",
    "wait 200",
    "tab",
    "wait 500",
    "clear",
    "put C",
    "paste C",
    "wait 500",
    "click next",
};

std::uint64_t totalOf(sim::Op op) {
    std::uint64_t ms = 0;
    for (const sim::Event& event : sim::trace()) {
        if (event.op == op) ms += event.value;
    }
    return ms;
}

class EntrySequence : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        sim::setClipboardText("before the run");
        sim::addFile(conf, typeText + "\r\nignored\r\n");
    }
};

TEST_F(EntrySequence, EntersOneRecordStepByStep) {
    sim::addFile(journal, "3\t1\tA\tB\tC\r\n");
    runEntry(owner, positions);
    EXPECT_TRUE(sameSteps(runSteps(),
                          concat({{"wait 2000"}, recordOfThreeOneABC, {"completion message"}})));
    EXPECT_EQ(sim::clipboardText(), "C");
}

TEST_F(EntrySequence, BatchesAreBuiltInOrderBeforeTheJournalIsRead) {
    sim::addFile(journal, "");
    runEntry(owner, positions);
    Steps building;
    for (const sim::Event& event : sim::trace()) {
        if (event.op == sim::Op::readFile && event.text == journal) break;
        if (event.op == sim::Op::mapVirtualKey || event.op == sim::Op::systemMetrics) {
            building.push_back(event.describe());
        }
    }
    const Steps expected = {
        "mapVirtualKey 17 -> 29",  "mapVirtualKey 86 -> 47",  "mapVirtualKey 17 -> 29",
        "mapVirtualKey 86 -> 47",  "mapVirtualKey 9 -> 15",   "mapVirtualKey 9 -> 15",
        "mapVirtualKey 40 -> 80",  "mapVirtualKey 40 -> 80",  "systemMetrics 0 -> 1920",
        "systemMetrics 1 -> 1080", "systemMetrics 0 -> 1920", "systemMetrics 1 -> 1080",
    };
    EXPECT_EQ(building, expected);
}

TEST_F(EntrySequence, DownPressesFollowTheCounts) {
    struct Case {
        std::string line;
        Steps choiceLists;  // from the Tab off the type field to the Tab onto tab stop 3
    };
    const Case cases[] = {
        {"0\t0\tA", {"tab", "wait 500", "tab", "wait 500", "tab"}},
        {"-1\t-2147483648\tA", {"tab", "wait 500", "tab", "wait 500", "tab"}},
        {"3\t0\tA", {"tab", "wait 500", "down", "down", "down", "tab", "wait 500", "tab"}},
        {"+0\t 2\tA", {"tab", "wait 500", "tab", "wait 500", "down", "down", "tab"}},
    };
    for (const Case& c : cases) {
        SetUp();
        sim::addFile(journal, c.line);
        runEntry(owner, positions);
        const Steps steps = runSteps();
        ASSERT_GT(steps.size(), 14u) << c.line;
        const Steps choiceLists(steps.begin() + 7, steps.begin() + 7 + c.choiceLists.size());
        EXPECT_EQ(choiceLists, c.choiceLists) << c.line;
        EXPECT_EQ(steps.back(), "completion message") << c.line;
    }
}

TEST_F(EntrySequence, MissingTextsArePastedEmpty) {
    sim::addFile(journal, "0\t0\tA");
    runEntry(owner, positions);
    const Steps steps = runSteps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "put "), 2);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "paste "), 2);
    EXPECT_EQ(steps.back(), "completion message");
    bool hasText = false;
    EXPECT_EQ(sim::clipboardText(&hasText), "");
    EXPECT_TRUE(hasText);
}

TEST_F(EntrySequence, EmptyJournalWaitsAndReports) {
    sim::addFile(journal, "");
    runEntry(owner, positions);
    EXPECT_EQ(runSteps(), (Steps{"wait 2000", "completion message"}));
    EXPECT_EQ(sim::clipboardText(), "before the run");
}

TEST_F(EntrySequence, BadLineEndsTheRunAfterTheRecordsBeforeIt) {
    sim::addFile(journal,
                 "3\t1\tA\tB\tC1\r\n3\t1\tA\tB\tC2\n3\t1\tA\tB\tC3\r\r\n3\t1\tA\tB\tC5\r\n");
    try {
        runEntry(owner, positions);
        ADD_FAILURE() << "the empty line converted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), formatMessage(texts::notAnInteger, ""));
    }
    Steps record1 = recordOfThreeOneABC;
    record1[record1.size() - 4] = "put C1";
    record1[record1.size() - 3] = "paste C1";
    Steps record2 = record1, record3 = record1;
    record2[record2.size() - 4] = "put C2";
    record2[record2.size() - 3] = "paste C2";
    record3[record3.size() - 4] = "put C3";
    record3[record3.size() - 3] = "paste C3";
    EXPECT_TRUE(sameSteps(runSteps(), concat({{"wait 2000"}, record1, record2, record3})));
    EXPECT_EQ(sim::clipboardText(), "C3");
}

TEST_F(EntrySequence, HeldClipboardEndsTheRunAtThatStep) {
    // The nine clipboard steps of a record, in order, by their place in the record's steps.
    std::vector<std::size_t> clipboardSteps;
    for (std::size_t i = 0; i < recordOfThreeOneABC.size(); ++i) {
        const std::string& step = recordOfThreeOneABC[i];
        if (step == "clear" || step.rfind("put ", 0) == 0) clipboardSteps.push_back(i);
    }
    ASSERT_EQ(clipboardSteps.size(), 9u);
    for (std::size_t n = 0; n < clipboardSteps.size(); ++n) {
        SetUp();
        sim::addFile(journal, "3\t1\tA\tB\tC\r\n3\t1\tA\tB\tC\r\n");
        // The second record's n-th clipboard step meets a clipboard held for a minute.
        sim::holdClipboardAtOpen(static_cast<int>(clipboardSteps.size() + n + 1), 1000000);
        try {
            runEntry(owner, positions);
            ADD_FAILURE() << "clipboard step " << n << " did not fail";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), texts::clipboardCannotOpen) << n;
        }
        const Steps partial(recordOfThreeOneABC.begin(),
                            recordOfThreeOneABC.begin() + clipboardSteps[n]);
        EXPECT_TRUE(sameSteps(runSteps(), concat({{"wait 2000"},
                                                  recordOfThreeOneABC,
                                                  partial,
                                                  {"clipboard refused after 10 tries"}})))
            << "clipboard step " << n;
    }
}

TEST_F(EntrySequence, BrieflyHeldClipboardDelaysOnlyByItsRetries) {
    sim::addFile(journal, "3\t1\tA\tB\tC\r\n");
    // Taken by another program at the paste of the first text (at 4500 ms), for 60 ms.
    sim::holdClipboardAtOpen(3, 4560);
    runEntry(owner, positions);
    Steps expected = concat({{"wait 2000"}, recordOfThreeOneABC, {"completion message"}});
    expected[17] = "put A (after 3 retries)";
    EXPECT_TRUE(sameSteps(runSteps(), expected));
    EXPECT_EQ(totalOf(sim::Op::retryPause), 75u);
    EXPECT_EQ(sim::now(), 2000u + 4900u + 75u);
}

TEST_F(EntrySequence, EveryRecordWaits4900Ms) {
    for (int records : {1, 3, 10}) {
        SetUp();
        std::string lines;
        for (int i = 0; i < records; ++i) lines += "2\t2\tA\tB\tC\r\n";
        sim::addFile(journal, lines);
        runEntry(owner, positions);
        const std::uint64_t expected = 2000u + 4900u * static_cast<unsigned>(records);
        EXPECT_EQ(sim::now(), expected) << records;
        EXPECT_EQ(totalOf(sim::Op::sleep), expected) << records;
        // The completion message follows the last click without a wait.
        ASSERT_EQ(sim::trace().back().op, sim::Op::messageBox);
        EXPECT_EQ(sim::trace().back().at, expected) << records;
    }
}

TEST_F(EntrySequence, ZeroScreenSizeEndsTheRunBeforeAnythingIsSent) {
    sim::addFile(journal, "3\t1\tA\tB\tC\r\n");
    sim::setScreenSize(1920, 0);
    try {
        runEntry(owner, positions);
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), texts::screenSizeUnknown);
    }
    for (const sim::Event& event : sim::trace()) {
        EXPECT_NE(event.op, sim::Op::sendInput);
        EXPECT_NE(event.op, sim::Op::openClipboard);
        EXPECT_NE(event.op, sim::Op::sleep);
        EXPECT_FALSE(event.op == sim::Op::readFile && event.text == journal);
    }
    EXPECT_EQ(sim::clipboardText(), "before the run");
}

}  // namespace
