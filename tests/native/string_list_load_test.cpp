// Loading a line list from a file of the simulated system.
#include <gtest/gtest.h>

#include <string>

#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "platform/string_list.h"

namespace {

TEST(StringListLoad, ReadsTheWholeFileIntoLines) {
    sim::reset();
    sim::addFile("C:\\d\\f.txt", "a\r\nb\n");
    TStringList list;
    list.SetText("old\nlines\nhere");
    list.LoadFromFile("C:\\d\\f.txt");
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Strings(0), "a");
    EXPECT_EQ(list.Strings(1), "b");
}

TEST(StringListLoad, FileThatCannotBeOpenedThrowsAndKeepsTheList) {
    sim::reset();
    sim::addFolder("C:\\d\\folder");
    sim::addFile("C:\\d\\held.txt", "x");
    sim::holdFileForWriting("C:\\d\\held.txt", true);
    for (const std::string path : {"C:\\d\\missing.txt", "C:\\d\\folder", "C:\\d\\held.txt"}) {
        TStringList list;
        list.SetText("kept");
        EXPECT_THROW(list.LoadFromFile(path), EFOpenError) << path;
        ASSERT_EQ(list.Count(), 1u) << path;
        EXPECT_EQ(list.Strings(0), "kept");
    }
}

}  // namespace
