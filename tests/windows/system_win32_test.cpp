// The real Win32 side of the system seam, run under Wine in the Japanese locale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system.h"

namespace {

// A fresh folder under the user's temporary folder, removed with everything made in it.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH + 1];
        DWORD length = GetTempPathA(sizeof base, base);
        EXPECT_GT(length, 0u);
        EXPECT_LT(length, sizeof base);
        path_ = std::string(base, length) + "zorvel-test-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(GetTickCount64());
        EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }

    std::string file(const std::string& name, const std::string& content) {
        std::string full = path_ + "\\" + name;
        HANDLE handle = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE) << full;
        made_.push_back(full);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(handle, content.data(), static_cast<DWORD>(content.size()), &written,
                              nullptr));
        EXPECT_EQ(written, content.size());
        CloseHandle(handle);
        return full;
    }

    std::string folder(const std::string& name) {
        std::string full = path_ + "\\" + name;
        EXPECT_TRUE(CreateDirectoryA(full.c_str(), nullptr)) << full;
        made_.push_back(full);
        return full;
    }

    std::string missing(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::vector<std::string> made_;
};

// Bytes a journal can hold: CR, LF, a lone CR, NUL, and Shift-JIS with 0x5C as a trail byte.
std::string awkwardBytes() {
    using namespace std::string_literals;
    return "a\tb\r\n"s + "\x8e\x64\x90\xd8" + "\x95\x5c" + "\n" + "c\rd" + '\0' + "e\r\n\xff";
}

TEST(Win32Locale, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Win32Files, FileExistsOnlyForFiles) {
    TempFolder temp;
    struct Case {
        std::string path;
        bool exists;
    } cases[] = {
        {temp.file("conf.txt", "x"), true},
        {temp.file("empty.txt", ""), true},
        {temp.folder("journal.txt"), false},
        {temp.missing("absent.txt"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(sys::fileExists(c.path), c.exists) << c.path;
}

TEST(Win32Files, ReadsEveryByte) {
    TempFolder temp;
    // The large file spans several read chunks and ends in a partial one.
    std::string large;
    while (large.size() < 300000) large += awkwardBytes();
    for (const std::string& bytes : {awkwardBytes(), std::string(), large}) {
        std::string path = temp.file("journal-" + std::to_string(bytes.size()) + ".txt", bytes);
        std::string content = "stale";
        ASSERT_TRUE(sys::readFileDenyingWriters(path, content)) << path;
        EXPECT_EQ(content, bytes) << path;
    }
}

TEST(Win32Files, RefusesAFileHeldOpenForWritingUntilReleased) {
    TempFolder temp;
    std::string path = temp.file("journal.txt", awkwardBytes());
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    std::string content = "untouched";
    EXPECT_FALSE(sys::readFileDenyingWriters(path, content));
    EXPECT_EQ(sys::lastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(content, "untouched");

    CloseHandle(writer);
    ASSERT_TRUE(sys::readFileDenyingWriters(path, content));
    EXPECT_EQ(content, awkwardBytes());
}

TEST(Win32Files, CannotReadAFolderOrAMissingFile) {
    TempFolder temp;
    std::string content = "untouched";
    EXPECT_FALSE(sys::readFileDenyingWriters(temp.folder("journal.txt"), content));
    EXPECT_FALSE(sys::readFileDenyingWriters(temp.missing("conf.txt"), content));
    EXPECT_EQ(sys::lastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(content, "untouched");
}

TEST(Win32Process, ModuleFileNameIsThisExecutable) {
    std::string path = sys::moduleFileName();
    const std::string name = "\\zorvel_windows_tests.exe";
    ASSERT_GT(path.size(), name.size()) << path;
    EXPECT_EQ(path.substr(path.size() - name.size()), name) << path;
    EXPECT_TRUE(sys::fileExists(path)) << path;
}

TEST(Win32Errors, ErrorTextHasNoTrailingLineBreak) {
    std::string text = sys::errorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
}

}  // namespace
