// The number form of the journal's count fields.
#include <gtest/gtest.h>

#include <string>

#include "platform/exception.h"
#include "platform/str_to_int.h"

namespace {

struct Accepted {
    const char* text;
    std::int32_t value;
};

TEST(StrToInt, AcceptsDecimalWithLeadingSpacesSignAndZeros) {
    const Accepted cases[] = {
        {"0", 0},
        {"3", 3},
        {"-7", -7},
        {"+12", 12},
        {"   42", 42},
        {"  -0", 0},
        {"007", 7},
        {"000000000000000000002147483647", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"1000", 1000},
    };
    for (const Accepted& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    }
}

TEST(StrToInt, RefusesEverythingElseNamingTheText) {
    const char* const cases[] = {
        "",
        "   ",
        "-",
        "+",
        "+-1",
        "--1",
        "1 ",
        " 1 ",
        "\t1",
        "1\t",
        "1a",
        "1.0",
        "1,000",
        "0x10",
        "$10",
        "- 1",
        "2147483648",
        "-2147483649",
        "99999999999999999999999999",
        "-99999999999999999999999999",
        "\x82\x50",  // a full-width digit
    };
    for (const char* text : cases) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted: '" << text << "'";
        } catch (const EConvertError& error) {
            // '%s' は整数ではありません, with the text in place of %s
            EXPECT_EQ(error.Message(), "'" + std::string(text) +
                                           "' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0"
                                           "\x82\xe8\x82\xdc\x82\xb9\x82\xf1")
                << text;
        }
    }
}

}  // namespace
