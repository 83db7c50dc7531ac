// The driver's side of zorvel_e2e_holder.exe: another program that holds a file or the clipboard
// open while Zorvel runs, started in the scenario's bench and released when the scenario says.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "bench.h"

namespace e2e {

// What the holder measured of a clipboard hold, in milliseconds: from the text's appearance to
// holding the clipboard, of the hold itself, and from its end to the next change of the clipboard
// (-1 when none came).
struct ClipboardHold {
    long long openMs = 0;
    long long heldMs = 0;
    long long changeMs = -1;
};

class Holder {
public:
    Holder(Bench& bench, const std::string& holderExe);
    ~Holder();
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    // Opens the file for writing in the holder; true once the holder has it open.
    bool holdFile(const std::string& path);
    // Starts the holder watching the edit box: it opens the clipboard when the box shows the
    // partition text for the `occurrence`-th time and keeps it open until `untilMs` after that.
    void holdClipboard(HWND field, int occurrence, DWORD untilMs);
    // True when the holder has opened what it holds, within the time.
    bool held(DWORD timeoutMs) const;
    // Lets go of a held file, and waits for the holder to end; true when it ended with code 0.
    bool release(DWORD timeoutMs = 10000);
    // After the release of a clipboard hold: what the holder measured.
    std::optional<ClipboardHold> clipboardHold() const;

private:
    void start(const std::string& arguments);

    Bench& bench_;
    std::string holderExe_;
    std::string events_;
    std::string reportPath_;
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
};

}  // namespace e2e
