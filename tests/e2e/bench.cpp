#include "bench.h"

#include <cstdio>
#include <string>

#include "desktop.h"

namespace e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;  // the first start in a cold wine server is slow
constexpr char kRecordFileName[] = "records.txt";

void closeHandles(PROCESS_INFORMATION& process) {
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    process = {};
}

void endProcess(PROCESS_INFORMATION& process, HWND window) {
    if (process.hProcess == nullptr) return;
    if (window && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    closeHandles(process);
}

void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeFolder(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string numberText(LONG value) { return std::to_string(value); }

// Where key presses go now: the foreground window and its focused control.
std::string keyboardTarget() {
    HWND front = GetForegroundWindow();
    if (front == nullptr) return "no foreground window";
    HWND focus = focusIn(front);
    return "foreground " + classNameOf(front) + ", focus " +
           (focus ? classNameOf(focus) + " id " + std::to_string(GetDlgCtrlID(focus)) : "none");
}

}  // namespace

bool Checks::expect(bool ok, std::string_view what, std::string_view detail) {
    ++count_;
    if (!ok) ++failures_;
    std::printf("  %s %.*s%s%.*s\n", ok ? "ok  " : "FAIL", static_cast<int>(what.size()),
                what.data(), detail.empty() ? "" : ": ", static_cast<int>(detail.size()),
                detail.data());
    std::fflush(stdout);
    return ok;
}

void Checks::require(bool ok, std::string_view what, std::string_view detail) {
    if (!expect(ok, what, detail)) throw Abort(std::string(what));
}

void Checks::ensure(bool ok, std::string_view what, std::string_view detail) {
    if (!ok) require(ok, what, detail);
}

bool Checks::expectBytes(std::string_view actual, std::string_view expected,
                         std::string_view what) {
    if (actual == expected) return expect(true, what);
    const std::string detail = "got \"" + toUtf8(actual) + "\" [" + hexOf(actual) +
                               "], expected \"" + toUtf8(expected) + "\" [" + hexOf(expected) + "]";
    return expect(false, what, detail);
}

Bench::Bench(const Programs& programs, std::string_view name, Checks& checks)
    : checks_(checks), zorvelSource_(programs.zorvelExe), targetExe_(programs.targetExe) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "zorvel-e2e-" + std::string(name) + "-" +
              std::to_string(GetCurrentProcessId());
    removeFolder(folder_);
    checks_.ensure(CreateDirectoryA(folder_.c_str(), nullptr) != 0, "make the test folder",
                   folder_);
    recordFile_ = folder_ + "\\" + kRecordFileName;
    checks_.ensure(CopyFileA(zorvelSource_.c_str(), (folder_ + "\\Zorvel.exe").c_str(), FALSE) != 0,
                   "copy Zorvel.exe into the test folder", zorvelSource_);

    // Whatever happens to the driver, closing the job ends the programs it started.
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
}

Bench::~Bench() {
    if (zorvel_ && IsWindow(zorvel_)) {
        // A box still open would keep the window from closing.
        while (HWND box = findMessageBox(zorvelProcess_.dwProcessId)) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            if (!waitFor([&] { return !IsWindow(box); }, 2000)) break;
        }
    }
    endProcess(zorvelProcess_, zorvel_);
    endProcess(targetProcess_, target_);
    if (job_) CloseHandle(job_);
    removeFolder(folder_);
}

void Bench::writeFile(std::string_view name, std::string_view bytes) {
    const std::string path = folder_ + "\\" + std::string(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    checks_.ensure(file != INVALID_HANDLE_VALUE, "write a test file", path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    checks_.ensure(written == bytes.size(), "write a test file in full", path);
}

void Bench::removeFile(std::string_view name) {
    DeleteFileA((folder_ + "\\" + std::string(name)).c_str());
}

PROCESS_INFORMATION Bench::start(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);  // not the test folder: Zorvel must find its files beside itself
    checks_.ensure(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                  nullptr, temp, &startup, &process) != 0,
                   "start " + commandLine);
    if (job_) AssignProcessToJobObject(job_, process.hProcess);
    ResumeThread(process.hThread);
    return process;
}

void Bench::startTarget() {
    targetProcess_ = start("\"" + targetExe_ + "\" \"" + recordFile_ + "\"");
    target_ = waitForTopWindow(targetProcess_.dwProcessId, "ZorvelTargetForm", kStartTimeoutMs);
    checks_.require(target_ != nullptr, "the target form's window appears");
}

void Bench::startZorvel() {
    zorvelProcess_ = start("\"" + folder_ + "\\Zorvel.exe\"");
    zorvel_ = waitForTopWindow(zorvelProcess_.dwProcessId, "TCore", kStartTimeoutMs);
    checks_.require(zorvel_ != nullptr, "Zorvel's window (class TCore) appears");
    // The window shows before it gives a button the focus; a Tab pressed in between would be
    // handled after that and move the focus one button on from where the driver saw it.
    waitFor([&] { return focusIn(zorvel_) != nullptr; }, kStartTimeoutMs);
}

POINT Bench::typeFieldPoint() const { return centreOf(targetControl(kTypeField)); }
POINT Bench::enterOneMorePoint() const { return centreOf(targetControl(kEnterOneMore)); }

bool Bench::focusZorvelButton(int id) {
    HWND button = zorvelControl(id);
    if (!bringToFront(zorvel_))
        return checks_.expect(false, "Zorvel's window becomes the active window");
    for (int tab = 0; tab < 4; ++tab) {
        HWND before = focusIn(zorvel_);
        if (before == button) return true;
        tapKey(VK_TAB);
        waitFor([&] { return focusIn(zorvel_) != before; }, 2000);
    }
    return checks_.expect(focusIn(zorvel_) == button,
                          "Tab brings the focus to Zorvel's button " + std::to_string(id));
}

bool Bench::recordPosition(int buttonId, POINT point) {
    const int xBox = buttonId == kGetFirstXY ? kFirstX : kNextX;
    const int yBox = buttonId == kGetFirstXY ? kFirstY : kNextY;
    const std::string x = numberText(point.x), y = numberText(point.y);
    const std::string what = "the edit boxes show the recorded position " + x + ", " + y;
    std::string detail;
    for (int attempt = 1;; ++attempt) {
        if (!focusZorvelButton(buttonId)) return false;
        checks_.ensure(moveCursor(point), "the pointer rests on the point to record");
        tapKey(VK_SPACE);
        const bool shown = waitFor(
            [&] {
                return windowText(zorvelControl(xBox)).value_or("?") == x &&
                       windowText(zorvelControl(yBox)).value_or("?") == y;
            },
            5000);
        if (shown) return checks_.expect(true, what);
        detail = "they show " + windowText(zorvelControl(xBox)).value_or("?") + ", " +
                 windowText(zorvelControl(yBox)).value_or("?") + "; " + keyboardTarget();
        if (attempt >= recordAttempts_) break;
        std::printf("  note: attempt %d to record %s, %s missed (%s); again\n", attempt, x.c_str(),
                    y.c_str(), detail.c_str());
        std::fflush(stdout);
    }
    return checks_.expect(false, what, detail);
}

void Bench::recordBothPositions() {
    checks_.require(recordPosition(kGetFirstXY, typeFieldPoint()),
                    "STEP1: the type field's position recorded");
    checks_.require(recordPosition(kGetNextXY, enterOneMorePoint()),
                    "STEP2: the button's position recorded");
}

void Bench::pressExec() {
    checks_.ensure(focusZorvelButton(kExec), "the start button has the focus");
    tapKey(VK_SPACE);
}

std::vector<std::string> Bench::records() const {
    std::vector<std::string> lines;
    HANDLE file = CreateFileA(recordFile_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    size_t begin = 0;
    for (size_t end; (end = content.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
        lines.push_back(content.substr(begin, end - begin));
    }
    return lines;
}

bool Bench::waitForRecords(size_t count, DWORD timeoutMs) const {
    return waitFor([&] { return records().size() >= count; }, timeoutMs, 200);
}

std::string Bench::closeZorvel() {
    // What the title bar's close box does.
    PostMessageA(zorvel_, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(zorvelProcess_.hProcess, 10000) != WAIT_OBJECT_0)
        return "still running";
    DWORD code = 0;
    GetExitCodeProcess(zorvelProcess_.hProcess, &code);
    closeHandles(zorvelProcess_);
    zorvel_ = nullptr;
    return std::to_string(code);
}

}  // namespace e2e
