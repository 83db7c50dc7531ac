// Another program on the desktop that holds what Zorvel needs, for the end-to-end driver:
//
//   zorvel_e2e_holder file PATH EVENTS
//       opens PATH for writing (sharing reads and writes, as an editor that keeps a file open),
//       sets the event EVENTS-ready, and keeps the file open until EVENTS-release is set.
//   zorvel_e2e_holder clipboard FIELD OCCURRENCE HOLD-MS EVENTS REPORT
//       watches the edit box FIELD (a window handle, in decimal) of the target form; when it shows
//       the partition text for the OCCURRENCE-th time, opens the clipboard with a window of its
//       own, sets EVENTS-ready, keeps the clipboard open until HOLD-MS after the text appeared,
//       closes it, and writes to the file REPORT: "<open> <held> <change>", the milliseconds
//       from seeing the text to holding the clipboard, of holding it, and from closing it to the
//       next change of the clipboard (-1 when none came within 3 s or before EVENTS-release).
//
// The events are made by the driver before it starts the holder. Whatever the driver does, the
// holder gives up after a time limit, so a hold never outlives a scenario.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "desktop.h"
#include "texts_cp932.h"

namespace {

constexpr DWORD kLimitMs = 120000;
constexpr DWORD kFieldPollMs = 2;
constexpr DWORD kChangeWaitMs = 3000;

HANDLE openEvent(const std::string& events, const char* suffix) {
    return OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, (events + suffix).c_str());
}

bool isSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

int holdFile(const std::string& path, const std::string& events) {
    HANDLE ready = openEvent(events, "-ready");
    HANDLE release = openEvent(events, "-release");
    if (ready == nullptr || release == nullptr) return 3;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 4;
    SetEvent(ready);
    const bool released = WaitForSingleObject(release, kLimitMs) == WAIT_OBJECT_0;
    CloseHandle(file);
    return released ? 0 : 5;
}

// The moment the field starts to show the text for the given time: it is polled, not hooked,
// so the moment is late by a poll and one answer of the target at most.
bool waitForOccurrence(HWND field, int occurrence, HANDLE release) {
    const std::string_view partition = texts::partition;
    bool showing = false;
    int seen = 0;
    e2e::waitFor(
        [&] {
            const bool shows = e2e::windowText(field).value_or("") == partition;
            if (shows && !showing) ++seen;
            showing = shows;
            return seen == occurrence || isSet(release);
        },
        kLimitMs, kFieldPollMs);
    return seen == occurrence;
}

int holdClipboard(HWND field, int occurrence, DWORD holdMs, const std::string& events,
                  const std::string& report) {
    HANDLE ready = openEvent(events, "-ready");
    HANDLE release = openEvent(events, "-release");
    if (ready == nullptr || release == nullptr) return 3;
    // Opened with a window of its own: two opens without a window count as the same owner.
    HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (owner == nullptr) return 4;
    if (!waitForOccurrence(field, occurrence, release)) return 5;
    const ULONGLONG seen = GetTickCount64();
    // The target may still be reading the paste that just landed.
    if (!e2e::waitFor([&] { return OpenClipboard(owner) != 0; }, 2000, 1)) return 6;
    const ULONGLONG opened = GetTickCount64();
    SetEvent(ready);
    const DWORD sequence = GetClipboardSequenceNumber();
    if (const ULONGLONG until = seen + holdMs; opened < until)
        Sleep(static_cast<DWORD>(until - opened));
    CloseClipboard();
    const ULONGLONG closed = GetTickCount64();
    // Zorvel's next change of the clipboard, unless the driver has let the scenario go on.
    bool changed = false;
    e2e::waitFor(
        [&] { return (changed = GetClipboardSequenceNumber() != sequence) || isSet(release); },
        kChangeWaitMs, 1);
    const long long changeMs = changed ? static_cast<long long>(GetTickCount64() - closed) : -1;
    DestroyWindow(owner);

    FILE* out = std::fopen(report.c_str(), "wb");
    if (out == nullptr) return 7;
    std::fprintf(out, "%llu %llu %lld\n", opened - seen, closed - opened, changeMs);
    std::fclose(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "file" && argc == 4) return holdFile(argv[2], argv[3]);
    if (mode == "clipboard" && argc == 7) {
        HWND field =
            reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[2], nullptr, 10)));
        return holdClipboard(field, std::atoi(argv[3]), static_cast<DWORD>(std::atol(argv[4])),
                             argv[5], argv[6]);
    }
    std::fprintf(stderr,
                 "usage: %s file PATH EVENTS | clipboard FIELD OCCURRENCE HOLD-MS EVENTS REPORT\n",
                 argv[0]);
    return 2;
}
