// The mouse object on the simulated system: the pointer position, and the error when the system
// cannot report it.
#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/mouse.h"
#include "platform/simulated_system.h"

namespace {

TEST(Mouse, CursorPosIsThePositionTheSystemReports) {
    sim::reset();
    sim::setCursorPos({-1280, -3});
    POINT position = Mouse.CursorPos();
    EXPECT_EQ(position.x, -1280);
    EXPECT_EQ(position.y, -3);
}

TEST(Mouse, CursorPosThrowsEOSErrorWithTheSystemsText) {
    sim::reset();
    sim::failCursorPos(5);
    try {
        Mouse.CursorPos();
        FAIL() << "no exception";
    } catch (const EOSError& error) {
        EXPECT_EQ(error.Message(), "simulated system error 5");
        EXPECT_EQ(error.ErrorCode(), 5u);
    }
    sim::setCursorPos({7, 8});
    EXPECT_EQ(Mouse.CursorPos().x, 7);
}

}  // namespace
