// Loading a line list from a real file, and finding the files beside the running executable,
// through the Win32 side of the system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/exception.h"
#include "platform/file_paths.h"
#include "platform/string_list.h"
#include "platform/win_types.h"

namespace {

using namespace std::string_literals;

class StringListFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zorvel-lines-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& content) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(StringListFile, LoadsTheBytesAsTheyStandAndSplitsThem) {
    const std::string path = write("journal.txt",
                                   "\xEF\xBB\xBF"
                                   "3\t1\r\n\x8e\x64\x90\xd8\n\r\nlast\0after"s);
    TStringList list;
    list.LoadFromFile(path);
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.Strings(0),
              "\xEF\xBB\xBF"
              "3\t1");
    EXPECT_EQ(list.Strings(1), "\x8e\x64\x90\xd8");
    EXPECT_EQ(list.Strings(2), "");
    EXPECT_EQ(list.Strings(3), "last");
}

TEST_F(StringListFile, FileHeldOpenForWritingCannotBeOpened) {
    const std::string path = write("conf.txt", "type\r\n");
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    TStringList list;
    try {
        list.LoadFromFile(path);
        ADD_FAILURE() << "opened while another handle writes";
    } catch (const EFOpenError& error) {
        // ファイル %s は開けません with the full path
        EXPECT_EQ(error.Message(), "\x83\x74\x83\x40\x83\x43\x83\x8b " + path +
                                       " \x82\xcd\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1");
    }
    CloseHandle(writer);
    list.LoadFromFile(path);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Strings(0), "type");
}

TEST(ExecutableFolder, IsWhereTheRunningExecutableLies) {
    const std::string executable = ExecutablePath();
    const std::string folder = ExtractFileDir(executable);
    ASSERT_FALSE(folder.empty()) << executable;
    const std::string name = std::filesystem::path(executable).filename().string();
    EXPECT_EQ(folder + "\\" + name, executable);
    EXPECT_TRUE(FileExists(folder + "\\" + name));
    EXPECT_FALSE(FileExists(folder));
}

}  // namespace
