// The decimal text of a signed 32-bit integer, as the main window shows recorded positions.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/int_to_str.h"

namespace {

TEST(IntToStr, IsPlainDecimalWithAMinusSign) {
    struct Case {
        std::int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {7, "7"},
        {1234567, "1234567"},
        {-1, "-1"},
        {-1280, "-1280"},
        {std::numeric_limits<std::int32_t>::max(), "2147483647"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(IntToStr(c.value), c.text) << c.value;
}

}  // namespace
