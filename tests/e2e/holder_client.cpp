#include "holder_client.h"

#include <cstdio>

namespace e2e {

Holder::Holder(Bench& bench, const std::string& holderExe) : bench_(bench), holderExe_(holderExe) {
    static int made = 0;
    events_ =
        "zorvel-e2e-holder-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
    reportPath_ = bench_.folder() + "\\" + events_ + ".txt";
    ready_ = CreateEventA(nullptr, TRUE, FALSE, (events_ + "-ready").c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, (events_ + "-release").c_str());
}

Holder::~Holder() {
    if (process_.hProcess) release(5000);
    if (process_.hProcess) TerminateProcess(process_.hProcess, 1);
    if (process_.hThread) CloseHandle(process_.hThread);
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (ready_) CloseHandle(ready_);
    if (release_) CloseHandle(release_);
}

void Holder::start(const std::string& arguments) {
    process_ = bench_.start("\"" + holderExe_ + "\" " + arguments);
}

bool Holder::holdFile(const std::string& path) {
    start("file \"" + path + "\" " + events_);
    return held(30000);
}

void Holder::holdClipboard(HWND field, int occurrence, DWORD untilMs) {
    start("clipboard " + std::to_string(reinterpret_cast<INT_PTR>(field)) + " " +
          std::to_string(occurrence) + " " + std::to_string(untilMs) + " " + events_ + " \"" +
          reportPath_ + "\"");
}

bool Holder::held(DWORD timeoutMs) const {
    HANDLE waits[2] = {ready_, process_.hProcess};
    return WaitForMultipleObjects(2, waits, FALSE, timeoutMs) == WAIT_OBJECT_0;
}

bool Holder::release(DWORD timeoutMs) {
    if (process_.hProcess == nullptr) return false;
    SetEvent(release_);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
    return code == 0;
}

std::optional<ClipboardHold> Holder::clipboardHold() const {
    FILE* in = std::fopen(reportPath_.c_str(), "rb");
    if (in == nullptr) return std::nullopt;
    ClipboardHold hold;
    const bool read =
        std::fscanf(in, "%lld %lld %lld", &hold.openMs, &hold.heldMs, &hold.changeMs) == 3;
    std::fclose(in);
    if (!read) return std::nullopt;
    return hold;
}

}  // namespace e2e
