// Control of the simulated system that stands in for Windows in the native tests: an in-memory
// file system, a module path, a virtual clock, a clipboard that another program can hold, a
// cursor, a screen and a scan-code table; and one ordered trace of everything the tool did.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace sim {

enum class Op {
    moduleFileName,
    fileExists,
    readFile,
    messageBox,
    sendInput,
    mapVirtualKey,
    systemMetrics,
    openClipboard,
    emptyClipboard,
    setClipboardData,
    closeClipboard,
    sleep,
    retryPause,
    cursorPos,
};

struct Event {
    Op op = Op::moduleFileName;
    std::uint64_t at = 0;  // virtual clock, in ms, when the operation was made
    bool succeeded = true;
    std::string text;     // path, message text or clipboard bytes
    std::string caption;  // message box caption
    HWND owner = nullptr;
    UINT value = 0;   // style, format, key code, metric index or milliseconds
    UINT result = 0;  // what a query answered
    std::vector<INPUT> inputs;
    int recordSize = 0;

    // One readable line; bytes outside printable ASCII are written as \xNN.
    std::string describe() const;
};

// Back to a fresh system: no files, clock 0, empty clipboard, empty trace, screen 1920 x 1080,
// module path C:\Zorvel\Zorvel.exe, cursor at 0, 0 and the scan codes of a Japanese keyboard.
void reset();

void setModuleFileName(std::string path);
void addFile(std::string path, std::string content);
void addFolder(std::string path);
// Another program holds the file open for writing: opening it with writers refused fails.
void holdFileForWriting(const std::string& path, bool held);

void setScreenSize(int width, int height);
void setScanCode(UINT virtualKey, UINT scanCode);
void setCursorPos(POINT position);
// GetCursorPos fails with this error code until setCursorPos is called again.
void failCursorPos(DWORD errorCode);

// Another program holds the clipboard open until the virtual clock reaches `untilMs`.
void holdClipboardUntil(std::uint64_t untilMs);
// Another program holds the clipboard open from the n-th OpenClipboard call on (1 = the next one)
// until `untilMs`; lets a test make one chosen clipboard step fail.
void holdClipboardAtOpen(int nthOpen, std::uint64_t untilMs);
// While the clipboard is open, the n-th call of `op` from now on (1 = the next one), which is
// emptyClipboard or setClipboardData, fails with `errorCode`; the calls before and after it work.
void failClipboardCall(Op op, int nthCall, DWORD errorCode);
// The text the clipboard holds in CF_TEXT, up to its NUL; `hasText` false when it holds none.
std::string clipboardText(bool* hasText = nullptr);
void setClipboardText(std::string text);  // what another program put there before the run

std::uint64_t now();

// Tracing can be switched off for benchmarks: the operations are then only counted.
void setTracing(bool on);
const std::vector<Event>& trace();
std::vector<std::string> describedTrace();
std::uint64_t operationCount();
void clearTrace();

}  // namespace sim
