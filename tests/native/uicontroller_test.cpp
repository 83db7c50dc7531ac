// The input batch on the simulated system: the records it hands to SendInput.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input/Uicontroller.h"
#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "texts_cp932.h"

namespace {

// The records of every SendInput call so far, one vector per call.
std::vector<std::vector<INPUT>> sends() {
    std::vector<std::vector<INPUT>> result;
    for (const sim::Event& event : sim::trace()) {
        if (event.op == sim::Op::sendInput) {
            EXPECT_EQ(event.recordSize, static_cast<int>(sizeof(INPUT)));
            result.push_back(event.inputs);
        }
    }
    return result;
}

std::string describe(const INPUT& input) {
    if (input.type == INPUT_KEYBOARD) {
        return "key vk=" + std::to_string(input.ki.wVk) +
               " scan=" + std::to_string(input.ki.wScan) +
               " flags=" + std::to_string(input.ki.dwFlags) +
               " time=" + std::to_string(input.ki.time) +
               " extra=" + std::to_string(input.ki.dwExtraInfo);
    }
    if (input.type == INPUT_MOUSE) {
        return "mouse dx=" + std::to_string(input.mi.dx) + " dy=" + std::to_string(input.mi.dy) +
               " data=" + std::to_string(input.mi.mouseData) +
               " flags=" + std::to_string(input.mi.dwFlags) +
               " time=" + std::to_string(input.mi.time) +
               " extra=" + std::to_string(input.mi.dwExtraInfo);
    }
    return "type=" + std::to_string(input.type);
}

std::vector<std::string> describe(const std::vector<INPUT>& inputs) {
    std::vector<std::string> lines;
    for (const INPUT& input : inputs) lines.push_back(describe(input));
    return lines;
}

class UicontrollerTest : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
    // 40 kB of records: on the free store, as the run keeps its batches.
    std::unique_ptr<TUIController> batch = std::make_unique<TUIController>();
};

TEST_F(UicontrollerTest, EachAppendWritesItsRecords) {
    struct Case {
        const char* name;
        std::function<void(TUIController&)> append;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"Ctrl press",
         [](TUIController& b) { b.addKey(0x11, 1); },
         {"key vk=17 scan=29 flags=0 time=0 extra=0"}},
        {"any non-zero down is a press",
         [](TUIController& b) { b.addKey(0x56, 7); },
         {"key vk=86 scan=47 flags=0 time=0 extra=0"}},
        {"release",
         [](TUIController& b) { b.addKey(0x09, 0); },
         {"key vk=9 scan=15 flags=2 time=0 extra=0"}},
        {"Down arrow has no extended-key flag",
         [](TUIController& b) {
             b.addKey(0x28, 1);
             b.addKey(0x28, 0);
         },
         {"key vk=40 scan=80 flags=0 time=0 extra=0", "key vk=40 scan=80 flags=2 time=0 extra=0"}},
        {"a key without a scan code is still appended",
         [](TUIController& b) { b.addKey(0xE8, 1); },
         {"key vk=232 scan=0 flags=0 time=0 extra=0"}},
        {"click: press and release without the move flag",
         [](TUIController& b) { b.addLeftClick(); },
         {"mouse dx=0 dy=0 data=0 flags=2 time=0 extra=0",
          "mouse dx=0 dy=0 data=0 flags=4 time=0 extra=0"}},
        {"move then click go out together",
         [](TUIController& b) {
             b.addMoveTo(960, 540);
             b.addLeftClick();
         },
         {"mouse dx=32767 dy=32767 data=0 flags=32769 time=0 extra=0",
          "mouse dx=0 dy=0 data=0 flags=2 time=0 extra=0",
          "mouse dx=0 dy=0 data=0 flags=4 time=0 extra=0"}},
    };
    for (const Case& c : cases) {
        sim::reset();
        auto fresh = std::make_unique<TUIController>();
        c.append(*fresh);
        fresh->send();
        const auto sent = sends();
        ASSERT_EQ(sent.size(), 1u) << c.name;
        EXPECT_EQ(describe(sent[0]), c.records) << c.name;
    }
}

TEST_F(UicontrollerTest, MovesAreNormalisedInUnsignedArithmetic) {
    struct Case {
        std::int32_t x, y;
        LONG dx, dy;
    };
    // 1920 x 1080: factor 65535, divided by the size itself, truncated, never clamped.
    const Case cases[] = {
        {0, 0, 0, 0},
        {960, 540, 32767, 32767},
        {1919, 1079, 65500, 65474},
        {1920, 1080, 65535, 65535},
        {-1, 0, 2236928, 0},
        {0, -1, 0, 3976760},
    };
    for (const Case& c : cases) batch->addMoveTo(c.x, c.y);
    batch->send();
    const std::vector<INPUT> sent = sends().at(0);
    ASSERT_EQ(sent.size(), std::size(cases));
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].mi.dx, cases[i].dx) << "x=" << cases[i].x;
        EXPECT_EQ(sent[i].mi.dy, cases[i].dy) << "y=" << cases[i].y;
    }
}

TEST_F(UicontrollerTest, SystemValuesAreFixedWhenAppended) {
    batch->addKey(0x28, 1);
    batch->addMoveTo(960, 540);
    sim::setScanCode(0x28, 0x99);
    sim::setScreenSize(800, 600);
    const std::uint64_t operationsBefore = sim::operationCount();
    batch->send();
    // The send itself asks the system for nothing: one call, nothing recomputed.
    EXPECT_EQ(sim::operationCount(), operationsBefore + 1);
    const std::vector<INPUT> sent = sends().at(0);
    EXPECT_EQ(sent[0].ki.wScan, 0x50);
    EXPECT_EQ(sent[1].mi.dx, 32767);
    EXPECT_EQ(sent[1].mi.dy, 32767);
}

TEST_F(UicontrollerTest, EmptyBatchStillMakesOneCall) {
    batch->send();
    const auto sent = sends();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0].empty());
}

TEST_F(UicontrollerTest, SendsRepeatAndLaterAppendsFollow) {
    batch->addKey(0x09, 1);
    batch->addKey(0x09, 0);
    batch->send();
    batch->send();
    batch->addKey(0x28, 1);
    batch->send();
    const auto sent = sends();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(describe(sent[0]), describe(sent[1]));
    ASSERT_EQ(sent[2].size(), 3u);
    EXPECT_EQ(describe(sent[2][0]), describe(sent[0][0]));
    EXPECT_EQ(describe(sent[2][1]), describe(sent[0][1]));
    EXPECT_EQ(sent[2][2].ki.wVk, 0x28);
}

TEST_F(UicontrollerTest, FullBatchSendsAllInOneCallAndRefusesMore) {
    for (int i = 0; i < TUIController::capacity; ++i) batch->addKey(0x41, i % 2);
    const std::uint64_t operationsWhenFull = sim::operationCount();
    for (const auto& append : std::vector<std::function<void()>>{
             [&] { batch->addKey(0x41, 1); },
             [&] { batch->addMoveTo(1, 1); },
             [&] { batch->addLeftClick(); },
         }) {
        try {
            append();
            ADD_FAILURE() << "an append to a full batch did not throw";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), texts::inputBatchFull);
        }
    }
    // Refused before asking the system for anything.
    EXPECT_EQ(sim::operationCount(), operationsWhenFull);
    batch->send();
    const auto sent = sends();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 1000u);
    EXPECT_EQ(sent[0][0].ki.dwFlags, KEYEVENTF_KEYUP);
    EXPECT_EQ(sent[0][999].ki.dwFlags, 0u);
}

TEST_F(UicontrollerTest, ClickNeedsRoomForBothRecords) {
    for (int i = 0; i < TUIController::capacity - 1; ++i) batch->addKey(0x41, 1);
    EXPECT_THROW(batch->addLeftClick(), Exception);
    batch->addKey(0x41, 0);  // the last free record is still free
    batch->send();
    const auto sent = sends();
    ASSERT_EQ(sent.at(0).size(), 1000u);
    EXPECT_EQ(sent[0][999].type, INPUT_KEYBOARD);
    EXPECT_EQ(sent[0][999].ki.dwFlags, KEYEVENTF_KEYUP);
}

TEST_F(UicontrollerTest, ZeroScreenSizeThrowsWithoutWriting) {
    const std::pair<int, int> screens[] = {{0, 1080}, {1920, 0}, {0, 0}};
    for (auto [width, height] : screens) {
        sim::reset();
        sim::setScreenSize(width, height);
        auto fresh = std::make_unique<TUIController>();
        try {
            fresh->addMoveTo(100, 100);
            ADD_FAILURE() << width << "x" << height << " did not throw";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), texts::screenSizeUnknown);
        }
        fresh->send();
        EXPECT_TRUE(sends().at(0).empty()) << width << "x" << height;
    }
}

}  // namespace
