// How a text becomes lines: every line-end form, NUL, and what is kept as it stands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/string_list.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> linesOf(const std::string& text) {
    TStringList list;
    list.SetText(text);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.Count(); ++i) lines.emplace_back(list.Strings(i));
    return lines;
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

TEST(StringList, SplitsTextIntoLines) {
    const SplitCase cases[] = {
        {"empty text", "", {}},
        {"one line without line end", "abc", {"abc"}},
        {"final CR LF adds no line", "a\r\nb\r\n", {"a", "b"}},
        {"final LF adds no line", "a\nb\n", {"a", "b"}},
        {"final CR adds no line", "a\rb\r", {"a", "b"}},
        {"last line without line end", "a\r\nb", {"a", "b"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"only a line end", "\r\n", {""}},
        {"empty lines stay", "\n\na\n\n", {"", "", "a", ""}},
        {"blanks at both ends stay", " \ta b\t \r\n\t", {" \ta b\t ", "\t"}},
        {"NUL ends the text mid-line", "a\nb\0c\nd"s, {"a", "b"}},
        {"NUL at a line start adds no line", "a\n\0b\n"s, {"a"}},
        {"NUL first means no lines", "\0abc"s, {}},
        {"NUL right after CR", "a\r\0\nb"s, {"a"}},
        {"byte-order mark kept as bytes", "\xEF\xBB\xBFx\r\ny", {"\xEF\xBB\xBFx", "y"}},
        {"Shift-JIS bytes kept", "\x8e\x64\x90\xd8\t\x95\x5c", {"\x8e\x64\x90\xd8\t\x95\x5c"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(linesOf(c.text), c.lines) << c.name;
    }
}

// The scan reads sixteen bytes at a time, then eight, then one: a line end must be found at every
// offset of each step (41 bytes reach all three), among bytes one bit away from CR and LF (0x0C,
// 0x0E, 0x8A, 0x8D) and other high bytes.
TEST(StringList, FindsLineEndsAtEveryOffsetAmongNeighbouringBytes) {
    const std::string pattern =
        "\x0c\x8a\x0e\x8d\x0b\x89\xff\x80\x09\x4a\x1a\x2d\x0f\x8e\x05\x8c\x0c\x0e";
    const std::string filler = (pattern + pattern + pattern).substr(0, 41);
    for (std::size_t at = 0; at <= filler.size(); ++at) {
        for (const char* lineEnd : {"\r", "\n", "\r\n"}) {
            const std::string before = filler.substr(0, at);
            const std::string after = filler.substr(at);
            const std::vector<std::string> expected = after.empty()
                                                          ? std::vector<std::string>{before}
                                                          : std::vector<std::string>{before, after};
            EXPECT_EQ(linesOf(before + lineEnd + after), expected) << "offset " << at;
        }
    }
}

TEST(StringList, SetTextReplacesEarlierLines) {
    TStringList list;
    list.SetText("a\nb\nc");
    list.SetText("x");
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Strings(0), "x");
}

TEST(StringList, IndexPastTheEndThrowsInsteadOfReadingOutside) {
    TStringList list;
    list.SetText("a\n");
    EXPECT_THROW(list.Strings(1), std::out_of_range);
}

}  // namespace
