// The folder part of a Windows path, as the run uses it to find its two files.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_paths.h"

namespace {

struct FolderCase {
    const char* path;
    const char* folder;
};

TEST(ExtractFileDir, CutsAtTheLastSeparator) {
    const FolderCase cases[] = {
        {"C:\\Tools\\Zorvel.exe", "C:\\Tools"},
        {"C:\\Zorvel.exe", "C:\\"},
        {"C:\\a\\b\\c\\Zorvel.exe", "C:\\a\\b\\c"},
        {"C:Zorvel.exe", "C:"},
        {"\\Zorvel.exe", "\\"},
        {"\\\\server\\share\\Zorvel.exe", "\\\\server\\share"},
        {"\\\\?\\C:\\Zorvel.exe", "\\\\?\\C:\\"},
        {"C:\\Tools\\\\Zorvel.exe", "C:\\Tools\\\\"},
        {"C:\\Tools\\", "C:\\Tools"},
        {"C:\\", "C:\\"},
        {"Zorvel.exe", ""},
        {"", ""},
        // Shift-JIS: 0x5C as the second byte of a character is no separator.
        {"C:\\\x83\x5c\x83\x74\x83\x67\\Zorvel.exe", "C:\\\x83\x5c\x83\x74\x83\x67"},
        {"C:\\Tools\\Zorvel\x83\x5c.exe", "C:\\Tools"},
        {"C:\\\x95\x5c\\Zorvel.exe", "C:\\\x95\x5c"},
    };
    for (const FolderCase& c : cases) {
        EXPECT_EQ(ExtractFileDir(c.path), c.folder) << c.path;
    }
}

}  // namespace
