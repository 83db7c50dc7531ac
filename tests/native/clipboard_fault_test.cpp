// A clipboard that opens but then refuses to be emptied or to take the text: the clipboard
// object raises the system error with its message, closes the clipboard, and a run stops there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "run/entry_run.h"
#include "texts_cp932.h"
#include "trace_steps.h"

namespace {

using namespace trace_steps;

constexpr DWORD errorAccessDenied = 5;
constexpr DWORD errorNotEnoughMemory = 8;

// Runs `operation` and returns the EOSError it raises; fails the test when there is none.
template <typename Operation>
EOSError raisedBy(Operation operation) {
    try {
        operation();
    } catch (const EOSError& error) {
        return error;
    }
    ADD_FAILURE() << "no EOSError";
    return EOSError("", 0);
}

TEST(ClipboardFault, RaisesTheSystemErrorAndClosesTheClipboard) {
    struct Case {
        const char* name;
        bool setText;  // SetTextBuf("new"), or else Clear()
        sim::Op failing;
        DWORD errorCode;
        std::string_view message;
        std::vector<std::string> trace;
        std::string leftOnClipboard;
    };
    const Case cases[] = {
        {"Clear, empty fails",
         false,
         sim::Op::emptyClipboard,
         errorAccessDenied,
         texts::clipboardCannotEmpty,
         {"openClipboard", "emptyClipboard -> failed", "closeClipboard"},
         "before"},
        {"SetTextBuf, empty fails",
         true,
         sim::Op::emptyClipboard,
         errorAccessDenied,
         texts::clipboardCannotEmpty,
         {"openClipboard", "emptyClipboard -> failed", "closeClipboard"},
         "before"},
        {"SetTextBuf, set fails",
         true,
         sim::Op::setClipboardData,
         errorNotEnoughMemory,
         texts::clipboardCannotSetText,
         {"openClipboard", "emptyClipboard", "setClipboardData 1 new\\x00 -> failed",
          "closeClipboard"},
         ""},
    };
    for (const Case& c : cases) {
        sim::reset();
        sim::setClipboardText("before");
        sim::failClipboardCall(c.failing, 1, c.errorCode);
        TClipboard clipboard;
        const EOSError error = raisedBy([&] {
            if (c.setText) {
                clipboard.SetTextBuf("new");
            } else {
                clipboard.Clear();
            }
        });
        EXPECT_EQ(error.Message(), c.message) << c.name;
        EXPECT_EQ(error.ErrorCode(), c.errorCode) << c.name;
        EXPECT_EQ(sim::describedTrace(), c.trace) << c.name;
        EXPECT_EQ(sim::clipboardText(), c.leftOnClipboard) << c.name;

        // Closed, so the next use opens it at the first try and works.
        sim::clearTrace();
        clipboard.SetTextBuf("again");
        EXPECT_EQ(sim::trace().front().op, sim::Op::openClipboard) << c.name;
        EXPECT_TRUE(sim::trace().front().succeeded) << c.name;
        EXPECT_EQ(sim::clipboardText(), "again") << c.name;
    }
}

TEST(ClipboardFault, EndsTheRunAtTheFailingStep) {
    // Every record empties the clipboard nine times (four clears, five puts) and sets it five
    // times (its puts, in the order typeText, firstText, the partition, secondText, thirdText).
    struct Case {
        const char* name;
        sim::Op failing;
        int nthCall;
        std::size_t recordSteps;  // whole steps of the second record before the failing one
        std::string failedStep;
    };
    const std::string partition(texts::partition);
    const Case cases[] = {
        {"first clear", sim::Op::emptyClipboard, 9 + 1, 3, "clear + emptyClipboard -> failed"},
        {"put of the partition, its empty", sim::Op::emptyClipboard, 9 + 5, 21,
         "clear + emptyClipboard -> failed"},
        {"put of typeText", sim::Op::setClipboardData, 5 + 1, 4,
         "clear + setClipboardData 1 T\\x00 -> failed"},
        {"put of thirdText", sim::Op::setClipboardData, 5 + 5, 35,
         "clear + setClipboardData 1 C2\\x00 -> failed"},
    };
    const JournalRecord first{3, 1, "A", "B", "C1"};
    const JournalRecord second{3, 1, "A", "B", "C2"};
    for (const Case& c : cases) {
        sim::reset();
        sim::addFile("C:\\Zorvel\\conf.txt", "T\r\n");
        sim::addFile("C:\\Zorvel\\journal.txt", "3\t1\tA\tB\tC1\r\n3\t1\tA\tB\tC2\r\n");
        sim::failClipboardCall(c.failing, c.nthCall, errorAccessDenied);
        EXPECT_EQ(raisedBy([] { runEntry(owner, positions); }).ErrorCode(), errorAccessDenied)
            << c.name;

        const Steps secondRecord = recordSteps("T", second);
        const Steps partial(secondRecord.begin(),
                            secondRecord.begin() + static_cast<std::ptrdiff_t>(c.recordSteps));
        EXPECT_TRUE(sameSteps(
            runSteps(), concat({{"wait 2000"}, recordSteps("T", first), partial, {c.failedStep}})))
            << c.name;
        EXPECT_EQ(sim::trace().back().op, sim::Op::closeClipboard) << c.name;
    }
}

}  // namespace
