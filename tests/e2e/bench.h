// The test bench of one end-to-end scenario: a fresh folder holding a copy of Zorvel.exe (and the
// conf.txt and journal.txt the scenario writes beside it), the target form and Zorvel started
// from it, and the user's actions on them: recording a position, pressing the start button.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "target_form_ids.h"

namespace e2e {

// Zorvel's control ids (kept in step with the tool's window).
enum ZorvelId : int {
    kGetFirstXY = 1001,
    kGetNextXY = 1002,
    kExec = 1003,
    kFirstX = 1011,
    kFirstY = 1012,
    kNextX = 1013,
    kNextY = 1014,
    kLabel1 = 1021,  // Label1 to Label7 are 1021 to 1027
};

// Reports every check; a failed requirement ends the scenario.
class Checks {
public:
    struct Abort : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    bool expect(bool ok, std::string_view what, std::string_view detail = {});
    void require(bool ok, std::string_view what, std::string_view detail = {});
    // A step of the bench itself (a file written, a program started): silent unless it fails.
    void ensure(bool ok, std::string_view what, std::string_view detail = {});
    // Byte-exact comparison of code page 932 texts, shown as UTF-8 and hex when they differ.
    bool expectBytes(std::string_view actual, std::string_view expected, std::string_view what);
    int failures() const { return failures_; }
    int count() const { return count_; }

private:
    int failures_ = 0;
    int count_ = 0;
};

struct Programs {
    std::string zorvelExe;  // DOS paths, as Wine's processes see them
    std::string targetExe;
    std::string holderExe;  // zorvel_e2e_holder.exe, for the scenarios of other programs' holds
};

class Bench {
public:
    Bench(const Programs& programs, std::string_view name, Checks& checks);
    ~Bench();
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    const std::string& folder() const { return folder_; }
    void writeFile(std::string_view name, std::string_view bytes);
    void removeFile(std::string_view name);

    void startTarget();
    void startZorvel();
    HWND zorvel() const { return zorvel_; }
    HWND target() const { return target_; }
    HWND zorvelControl(int id) const { return GetDlgItem(zorvel_, id); }
    HWND targetControl(int id) const { return GetDlgItem(target_, id); }
    DWORD zorvelProcessId() const { return zorvelProcess_.dwProcessId; }

    POINT typeFieldPoint() const;
    POINT enterOneMorePoint() const;

    // Makes Zorvel's window active and moves the focus to the button with Tab presses.
    bool focusZorvelButton(int id);
    // The user's way: the capture button focused, the pointer resting on `point`, Space. Checks
    // that the row's edit boxes then show the point.
    bool recordPosition(int buttonId, POINT point);
    // How many times recordPosition presses before it fails (1 unless a scenario says otherwise).
    void setRecordAttempts(int attempts) { recordAttempts_ = attempts; }
    void recordBothPositions();
    // Focuses the start button and presses it with Space.
    void pressExec();

    // The records the target form has stored so far, one line each without its CR LF.
    std::vector<std::string> records() const;
    bool waitForRecords(size_t count, DWORD timeoutMs) const;

    // Closes Zorvel's window as the user does and returns the process's exit code (or a note).
    std::string closeZorvel();

    // Starts a program of the scenario (ended with the bench at the latest); the caller closes
    // the handles.
    PROCESS_INFORMATION start(const std::string& commandLine);

private:
    Checks& checks_;
    std::string zorvelSource_;
    std::string targetExe_;
    std::string folder_;
    std::string recordFile_;
    HANDLE job_ = nullptr;
    PROCESS_INFORMATION targetProcess_{};
    PROCESS_INFORMATION zorvelProcess_{};
    HWND target_ = nullptr;
    HWND zorvel_ = nullptr;
    int recordAttempts_ = 1;
};

}  // namespace e2e
