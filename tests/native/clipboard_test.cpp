// The clipboard object on the simulated system: what it stores, and how it waits for a clipboard
// that another program holds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "texts_cp932.h"

namespace {

using Lines = std::vector<std::string>;

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        sim::setClipboardText("before");
    }
    TClipboard clipboard;
};

TEST_F(ClipboardTest, StoresTheBytesAndOneNul) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string text;
        std::string stored;
    };
    const Case cases[] = {
        {"ASCII", "A", "A\0"s},
        {"empty text is the single NUL", "", "\0"s},
        {"Shift-JIS, TAB and spaces unchanged", " \x8e\x64\x90\xd8\t ", " \x8e\x64\x90\xd8\t \0"s},
    };
    for (const Case& c : cases) {
        sim::clearTrace();
        clipboard.SetTextBuf(c.text);
        const auto& trace = sim::trace();
        ASSERT_EQ(trace.size(), 4u) << c.name;
        EXPECT_EQ(trace[0].op, sim::Op::openClipboard) << c.name;
        EXPECT_EQ(trace[1].op, sim::Op::emptyClipboard) << c.name;
        EXPECT_EQ(trace[2].op, sim::Op::setClipboardData) << c.name;
        EXPECT_EQ(trace[2].value, CF_TEXT) << c.name;
        EXPECT_EQ(trace[2].text, c.stored) << c.name;
        EXPECT_EQ(trace[3].op, sim::Op::closeClipboard) << c.name;
        EXPECT_EQ(sim::clipboardText(), c.text) << c.name;
    }
}

TEST_F(ClipboardTest, ClearLeavesNoText) {
    clipboard.Clear();
    EXPECT_EQ(sim::describedTrace(), (Lines{"openClipboard", "emptyClipboard", "closeClipboard"}));
    bool hasText = true;
    sim::clipboardText(&hasText);
    EXPECT_FALSE(hasText);
}

TEST_F(ClipboardTest, HeldClipboardIsRetriedBrieflyThenReported) {
    struct Case {
        const char* name;
        std::uint64_t heldUntilMs;
        int opens;    // OpenClipboard calls made
        bool opened;  // whether the last one got the clipboard
    };
    // Tries at 0, 25, ..., 225 ms: ten in all, nine pauses.
    const Case cases[] = {
        {"released before the first try", 0, 1, true},
        {"released during the pauses", 60, 4, true},
        {"released just in time for the last try", 225, 10, true},
        {"held just past the last try", 226, 10, false},
        {"held for a long time", 60000, 10, false},
    };
    for (const std::function<void(TClipboard&)>& operation :
         {std::function<void(TClipboard&)>([](TClipboard& c) { c.Clear(); }),
          std::function<void(TClipboard&)>([](TClipboard& c) { c.SetTextBuf("new"); })}) {
        for (const Case& c : cases) {
            sim::reset();
            sim::setClipboardText("before");
            sim::holdClipboardUntil(c.heldUntilMs);
            bool threw = false;
            try {
                operation(clipboard);
            } catch (const Exception& e) {
                threw = true;
                EXPECT_EQ(e.Message(), texts::clipboardCannotOpen) << c.name;
            }
            EXPECT_EQ(threw, !c.opened) << c.name;

            int opens = 0;
            int pauses = 0;
            for (const sim::Event& event : sim::trace()) {
                if (event.op == sim::Op::openClipboard) ++opens;
                if (event.op == sim::Op::retryPause) {
                    ++pauses;
                    EXPECT_EQ(event.value, TClipboard::retryPauseMs);
                }
                // The pauses are the object's own, never the run's waits.
                EXPECT_NE(event.op, sim::Op::sleep) << c.name;
            }
            EXPECT_EQ(opens, c.opens) << c.name;
            EXPECT_EQ(pauses, c.opens - 1) << c.name;
            EXPECT_EQ(sim::now(), TClipboard::retryPauseMs * (c.opens - 1)) << c.name;
            if (!c.opened) {
                // Nothing but tries and pauses: no empty, no close of a clipboard it never had.
                EXPECT_EQ(sim::clipboardText(), "before") << c.name;
                EXPECT_EQ(sim::trace().back().op, sim::Op::openClipboard) << c.name;
            } else {
                EXPECT_EQ(sim::trace().back().op, sim::Op::closeClipboard) << c.name;
            }
        }
    }
}

}  // namespace
