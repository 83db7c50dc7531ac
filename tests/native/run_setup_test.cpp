// The opening of a run on the simulated system: the preconditions in their order, where the two
// files are looked for, what is taken from the settings file, and what a refused run leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/exception.h"
#include "platform/simulated_system.h"
#include "run/entry_run.h"
#include "run/run_setup.h"
#include "texts_cp932.h"

namespace {

using namespace std::string_literals;

const HWND owner = reinterpret_cast<HWND>(std::uintptr_t{0x5a0});
constexpr RecordedPositions bothRecorded{100, 200, 300, 400};

// Expected trace lines, written through the trace's own formatting.
std::string moduleFileName(const std::string& path) {
    sim::Event event;
    event.op = sim::Op::moduleFileName;
    event.text = path;
    return event.describe();
}
std::string fileExists(const std::string& path, bool exists) {
    sim::Event event;
    event.op = sim::Op::fileExists;
    event.text = path;
    event.succeeded = exists;
    return event.describe();
}
std::string readFile(const std::string& path, bool opened = true) {
    sim::Event event;
    event.op = sim::Op::readFile;
    event.text = path;
    event.succeeded = opened;
    return event.describe();
}
std::string errorBox(std::string_view text) {
    sim::Event event;
    event.op = sim::Op::messageBox;
    event.owner = owner;
    event.text = text;
    event.caption = texts::errorCaption;
    event.value = 0;
    return event.describe();
}

const std::string exe = "C:\\Zorvel\\Zorvel.exe";
const std::string journal = "C:\\Zorvel\\journal.txt";
const std::string conf = "C:\\Zorvel\\conf.txt";

class RunSetup : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
};

struct RefusedCase {
    const char* name;
    RecordedPositions positions;
    void (*prepareFiles)();
    std::vector<std::string> trace;
};

TEST_F(RunSetup, RefusesWithTheFirstFailingMessageOnly) {
    const RefusedCase cases[] = {
        {"nothing recorded",
         {0, 0, 0, 0},
         [] { sim::addFile(journal, "1\t1\tA\tB\tC"); },
         {errorBox(texts::stepOneNotDone)}},
        {"first not recorded", {0, 0, 300, 400}, [] {}, {errorBox(texts::stepOneNotDone)}},
        {"next not recorded", {100, 200, 0, 0}, [] {}, {errorBox(texts::stepTwoNotDone)}},
        {"first (0, 7) counts as recorded", {0, 7, 0, 0}, [] {}, {errorBox(texts::stepTwoNotDone)}},
        {"first (5, 0) counts as recorded", {5, 0, 0, 0}, [] {}, {errorBox(texts::stepTwoNotDone)}},
        {"both files missing",
         bothRecorded,
         [] {},
         {moduleFileName(exe), fileExists(journal, false), errorBox(texts::journalMissing)}},
        {"negative positions count as recorded",
         {-1920, -5, 0, -1},
         [] {},
         {moduleFileName(exe), fileExists(journal, false), errorBox(texts::journalMissing)}},
        {"a folder named journal.txt",
         bothRecorded,
         [] {
             sim::addFolder(journal);
             sim::addFile(conf, "type");
         },
         {moduleFileName(exe), fileExists(journal, false), errorBox(texts::journalMissing)}},
        {"settings file missing",
         bothRecorded,
         [] { sim::addFile(journal, ""); },
         {moduleFileName(exe), fileExists(journal, true), moduleFileName(exe),
          fileExists(conf, false), errorBox(texts::settingsMissing)}},
        {"settings file of zero bytes",
         bothRecorded,
         [] {
             sim::addFile(journal, "");
             sim::addFile(conf, "");
         },
         {moduleFileName(exe), fileExists(journal, true), moduleFileName(exe),
          fileExists(conf, true), readFile(conf), errorBox(texts::settingsInvalid)}},
        {"settings file starting with NUL",
         bothRecorded,
         [] {
             sim::addFile(journal, "");
             sim::addFile(conf, "\0type\r\n"s);
         },
         {moduleFileName(exe), fileExists(journal, true), moduleFileName(exe),
          fileExists(conf, true), readFile(conf), errorBox(texts::settingsInvalid)}},
    };
    for (const RefusedCase& c : cases) {
        sim::reset();
        c.prepareFiles();
        EXPECT_FALSE(prepareRun(owner, c.positions).has_value()) << c.name;
        EXPECT_EQ(sim::describedTrace(), c.trace) << c.name;

        sim::clearTrace();
        runEntry(owner, c.positions);
        EXPECT_EQ(sim::describedTrace(), c.trace) << c.name << " (whole run)";
    }
}

struct PassingCase {
    const char* name;
    std::string moduleFileName;
    std::string confContent;
    std::string journalPath;
    std::string confPath;
    std::string typeText;
};

TEST_F(RunSetup, TakesTheFirstSettingsLineAsItStands) {
    const PassingCase cases[] = {
        {"only a line end", exe, "\r\n", journal, conf, ""},
        {"several lines", exe, "  type\tA  \r\nsecond\r\n", journal, conf, "  type\tA  "},
        {"LF only", exe, "type\nsecond", journal, conf, "type"},
        {"byte-order mark kept", exe, "\xEF\xBB\xBF\x8e\x64\r\n", journal, conf,
         "\xEF\xBB\xBF\x8e\x64"},
        {"folder below the root", "C:\\Tools\\Zorvel.exe", "t", "C:\\Tools\\journal.txt",
         "C:\\Tools\\conf.txt", "t"},
        {"executable at the drive root", "C:\\Zorvel.exe", "t", "C:\\\\journal.txt",
         "C:\\\\conf.txt", "t"},
        {"other executable name", "D:\\x\\tool.exe", "t", "D:\\x\\journal.txt", "D:\\x\\conf.txt",
         "t"},
    };
    for (const PassingCase& c : cases) {
        sim::reset();
        sim::setModuleFileName(c.moduleFileName);
        sim::addFile(c.journalPath, "3\t1\tA\tB\tC\r\n");
        sim::addFile(c.confPath, c.confContent);

        const std::optional<PreparedRun> run = prepareRun(owner, bothRecorded);
        ASSERT_TRUE(run.has_value()) << c.name;
        EXPECT_EQ(run->journalPath, c.journalPath) << c.name;
        EXPECT_EQ(run->typeText, c.typeText) << c.name;
        const std::vector<std::string> expected = {
            moduleFileName(c.moduleFileName), fileExists(c.journalPath, true),
            moduleFileName(c.moduleFileName), fileExists(c.confPath, true), readFile(c.confPath)};
        EXPECT_EQ(sim::describedTrace(), expected) << c.name;
    }
}

TEST_F(RunSetup, ReadsBothFilesAgainAtEveryRun) {
    sim::addFile(journal, "");
    sim::addFile(conf, "first");
    ASSERT_EQ(prepareRun(owner, bothRecorded)->typeText, "first");
    sim::addFile(conf, "second");
    EXPECT_EQ(prepareRun(owner, bothRecorded)->typeText, "second");
}

// ファイル %s は開けません with the full path
std::string cannotOpen(const std::string& path) {
    return "\x83\x74\x83\x40\x83\x43\x83\x8b " + path +
           " \x82\xcd\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1";
}

TEST_F(RunSetup, SettingsFileHeldForWritingThrowsWithItsPath) {
    sim::addFile(journal, "");
    sim::addFile(conf, "type");
    sim::holdFileForWriting(conf, true);
    try {
        runEntry(owner, bothRecorded);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), cannotOpen(conf));
    }
    const std::vector<std::string> expected = {moduleFileName(exe), fileExists(journal, true),
                                               moduleFileName(exe), fileExists(conf, true),
                                               readFile(conf, false)};
    EXPECT_EQ(sim::describedTrace(), expected);
}

TEST_F(RunSetup, JournalIsLoadedAfterSetUpAndMayBeHeldForWriting) {
    sim::setModuleFileName("C:\\Zorvel.exe");
    const std::string rootJournal = "C:\\\\journal.txt";
    sim::addFile(rootJournal, "3\t1\tA\tB\tC");
    sim::addFile("C:\\\\conf.txt", "type");
    sim::holdFileForWriting(rootJournal, true);
    try {
        runEntry(owner, bothRecorded);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), cannotOpen(rootJournal));
    }
    const std::vector<std::string> trace = sim::describedTrace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), readFile(rootJournal, false));
    for (const sim::Event& event : sim::trace()) {
        EXPECT_NE(event.op, sim::Op::messageBox) << event.describe();
    }
}

}  // namespace
