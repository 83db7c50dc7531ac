// The simulated system: the seam's operations on in-memory state, each recorded in the trace.
#include <cstdio>
#include <map>
#include <optional>

#include "platform/simulated_system.h"
#include "platform/system.h"

namespace {

constexpr DWORD errorSharingViolation = 32;
constexpr DWORD errorFileNotFound = 2;
constexpr DWORD errorAccessDenied = 5;
constexpr DWORD errorClipboardNotOpen = 1418;

struct SimulatedFile {
    std::string content;
    bool isFolder = false;
    bool heldForWriting = false;
};

struct SimulatedSystem {
    std::string moduleFileName;
    std::map<std::string, SimulatedFile> files;
    std::uint64_t clock = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    std::map<UINT, UINT> scanCodes;
    POINT cursor{};
    std::optional<DWORD> cursorError;
    bool clipboardOpen = false;
    std::map<UINT, std::string> clipboard;
    std::uint64_t clipboardHeldUntil = 0;
    int clipboardHoldAtOpen = 0;
    std::uint64_t clipboardHoldAtOpenUntil = 0;
    int clipboardOpens = 0;
    sim::Op failingClipboardOp = sim::Op::emptyClipboard;
    int failingClipboardCallsLeft = 0;
    DWORD failingClipboardError = 0;
    DWORD lastError = 0;
    bool tracing = true;
    std::uint64_t operations = 0;
    std::vector<sim::Event> trace;
};

SimulatedSystem freshSystem() {
    SimulatedSystem s;
    s.moduleFileName = "C:\\Zorvel\\Zorvel.exe";
    s.screenWidth = 1920;
    s.screenHeight = 1080;
    // Set 1 scan codes, as MapVirtualKey gives them for a Japanese 106/109 keyboard.
    s.scanCodes = {{0x09, 0x0f}, {0x11, 0x1d}, {0x28, 0x50}, {0x56, 0x2f}};
    return s;
}

SimulatedSystem& state() {
    static SimulatedSystem system = freshSystem();
    return system;
}

sim::Event& record(sim::Op op) {
    SimulatedSystem& s = state();
    ++s.operations;
    sim::Event event;
    event.op = op;
    event.at = s.clock;
    static sim::Event scratch;
    if (!s.tracing) {
        scratch = std::move(event);
        return scratch;
    }
    s.trace.push_back(std::move(event));
    return s.trace.back();
}

// Whether this call of `op` is the one that failClipboardCall() chose; it then sets the error.
bool chosenToFail(sim::Op op) {
    SimulatedSystem& s = state();
    if (s.failingClipboardCallsLeft == 0 || s.failingClipboardOp != op) return false;
    if (--s.failingClipboardCallsLeft != 0) return false;
    s.lastError = s.failingClipboardError;
    return true;
}

void appendEscaped(std::string& out, std::string_view bytes) {
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
            out += buffer;
        }
    }
}

std::string describeInput(const INPUT& input) {
    char buffer[96];
    if (input.type == INPUT_KEYBOARD) {
        std::snprintf(buffer, sizeof buffer, "key vk=0x%02x scan=0x%02x flags=0x%x", input.ki.wVk,
                      input.ki.wScan, static_cast<unsigned>(input.ki.dwFlags));
    } else if (input.type == INPUT_MOUSE) {
        std::snprintf(buffer, sizeof buffer, "mouse dx=%ld dy=%ld flags=0x%x",
                      static_cast<long>(input.mi.dx), static_cast<long>(input.mi.dy),
                      static_cast<unsigned>(input.mi.dwFlags));
    } else {
        std::snprintf(buffer, sizeof buffer, "type=%u", static_cast<unsigned>(input.type));
    }
    return buffer;
}

}  // namespace

namespace sim {

std::string Event::describe() const {
    std::string line;
    const char* outcome = succeeded ? "" : " -> failed";
    switch (op) {
    case Op::moduleFileName:
        line = "moduleFileName -> ";
        appendEscaped(line, text);
        break;
    case Op::fileExists:
        line = "fileExists ";
        appendEscaped(line, text);
        line += succeeded ? " -> yes" : " -> no";
        break;
    case Op::readFile:
        line = "readFile ";
        appendEscaped(line, text);
        line += outcome;
        break;
    case Op::messageBox: {
        char head[64];
        std::snprintf(head, sizeof head,
                      "messageBox owner=%p style=0x%x caption=", static_cast<void*>(owner), value);
        line = head;
        appendEscaped(line, caption);
        line += " text=";
        appendEscaped(line, text);
        break;
    }
    case Op::sendInput:
        line = "sendInput " + std::to_string(inputs.size()) + " size=" + std::to_string(recordSize);
        for (const INPUT& input : inputs) line += " [" + describeInput(input) + "]";
        break;
    case Op::mapVirtualKey:
        line = "mapVirtualKey " + std::to_string(value) + " -> " + std::to_string(result);
        break;
    case Op::systemMetrics:
        line = "systemMetrics " + std::to_string(value) + " -> " + std::to_string(result);
        break;
    case Op::openClipboard:
        line = std::string("openClipboard") + outcome;
        break;
    case Op::emptyClipboard:
        line = std::string("emptyClipboard") + outcome;
        break;
    case Op::setClipboardData:
        line = "setClipboardData " + std::to_string(value) + " ";
        appendEscaped(line, text);
        line += outcome;
        break;
    case Op::closeClipboard:
        line = std::string("closeClipboard") + outcome;
        break;
    case Op::sleep:
        line = "sleep " + std::to_string(value);
        break;
    case Op::retryPause:
        line = "retryPause " + std::to_string(value);
        break;
    case Op::cursorPos:
        line = "cursorPos";
        line += outcome;
        break;
    }
    return line;
}

void reset() { state() = freshSystem(); }

void setModuleFileName(std::string path) { state().moduleFileName = std::move(path); }
void addFile(std::string path, std::string content) {
    state().files[std::move(path)] = SimulatedFile{std::move(content)};
}
void addFolder(std::string path) { state().files[std::move(path)] = SimulatedFile{{}, true}; }
void holdFileForWriting(const std::string& path, bool held) {
    state().files[path].heldForWriting = held;
}
void setScreenSize(int width, int height) {
    state().screenWidth = width;
    state().screenHeight = height;
}
void setScanCode(UINT virtualKey, UINT scanCode) { state().scanCodes[virtualKey] = scanCode; }
void setCursorPos(POINT position) {
    state().cursor = position;
    state().cursorError.reset();
}
void failCursorPos(DWORD errorCode) { state().cursorError = errorCode; }
void holdClipboardUntil(std::uint64_t untilMs) { state().clipboardHeldUntil = untilMs; }
void holdClipboardAtOpen(int nthOpen, std::uint64_t untilMs) {
    state().clipboardHoldAtOpen = state().clipboardOpens + nthOpen;
    state().clipboardHoldAtOpenUntil = untilMs;
}
void failClipboardCall(Op op, int nthCall, DWORD errorCode) {
    state().failingClipboardOp = op;
    state().failingClipboardCallsLeft = nthCall;
    state().failingClipboardError = errorCode;
}
std::string clipboardText(bool* hasText) {
    const auto& clipboard = state().clipboard;
    auto found = clipboard.find(CF_TEXT);
    if (hasText) *hasText = found != clipboard.end();
    if (found == clipboard.end()) return {};
    const std::string& bytes = found->second;
    return bytes.substr(0, bytes.find('\0'));
}
void setClipboardText(std::string text) {
    state().clipboard.clear();
    state().clipboard[CF_TEXT] = std::move(text) + '\0';
}
std::uint64_t now() { return state().clock; }
void setTracing(bool on) { state().tracing = on; }
const std::vector<Event>& trace() { return state().trace; }
std::vector<std::string> describedTrace() {
    std::vector<std::string> lines;
    for (const Event& event : state().trace) lines.push_back(event.describe());
    return lines;
}
std::uint64_t operationCount() { return state().operations; }
void clearTrace() { state().trace.clear(); }

}  // namespace sim

namespace sys {

std::string moduleFileName() {
    sim::Event& event = record(sim::Op::moduleFileName);
    event.text = state().moduleFileName;
    return state().moduleFileName;
}

bool fileExists(const std::string& path) {
    sim::Event& event = record(sim::Op::fileExists);
    event.text = path;
    auto found = state().files.find(path);
    event.succeeded = found != state().files.end() && !found->second.isFolder;
    return event.succeeded;
}

bool readFileDenyingWriters(const std::string& path, std::string& content) {
    sim::Event& event = record(sim::Op::readFile);
    event.text = path;
    auto found = state().files.find(path);
    if (found == state().files.end()) {
        state().lastError = errorFileNotFound;
        event.succeeded = false;
    } else if (found->second.isFolder) {
        state().lastError = errorAccessDenied;
        event.succeeded = false;
    } else if (found->second.heldForWriting) {
        state().lastError = errorSharingViolation;
        event.succeeded = false;
    } else {
        content = found->second.content;
    }
    return event.succeeded;
}

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT style) {
    sim::Event& event = record(sim::Op::messageBox);
    event.owner = owner;
    event.text = text;
    event.caption = caption;
    event.value = style;
    return IDOK;
}

UINT sendInput(UINT count, INPUT* inputs, int recordSize) {
    sim::Event& event = record(sim::Op::sendInput);
    if (state().tracing) event.inputs.assign(inputs, inputs + count);
    event.recordSize = recordSize;
    event.result = count;
    return count;
}

UINT mapVirtualKey(UINT code, UINT mapType) {
    sim::Event& event = record(sim::Op::mapVirtualKey);
    event.value = code;
    UINT scan = 0;
    if (mapType == MAPVK_VK_TO_VSC) {
        auto found = state().scanCodes.find(code);
        if (found != state().scanCodes.end()) scan = found->second;
    }
    event.result = scan;
    return scan;
}

int systemMetrics(int index) {
    sim::Event& event = record(sim::Op::systemMetrics);
    event.value = static_cast<UINT>(index);
    int answer = index == SM_CXSCREEN   ? state().screenWidth
                 : index == SM_CYSCREEN ? state().screenHeight
                                        : 0;
    event.result = static_cast<UINT>(answer);
    return answer;
}

bool openClipboard(HWND owner) {
    SimulatedSystem& s = state();
    sim::Event& event = record(sim::Op::openClipboard);
    event.owner = owner;
    ++s.clipboardOpens;
    if (s.clipboardHoldAtOpen != 0 && s.clipboardOpens >= s.clipboardHoldAtOpen) {
        s.clipboardHeldUntil = s.clipboardHoldAtOpenUntil;
        s.clipboardHoldAtOpen = 0;
    }
    event.succeeded = !s.clipboardOpen && s.clock >= s.clipboardHeldUntil;
    if (event.succeeded) {
        s.clipboardOpen = true;
    } else {
        s.lastError = errorAccessDenied;
    }
    return event.succeeded;
}

bool emptyClipboard() {
    sim::Event& event = record(sim::Op::emptyClipboard);
    if (!state().clipboardOpen) {
        state().lastError = errorClipboardNotOpen;
        event.succeeded = false;
    } else if (chosenToFail(sim::Op::emptyClipboard)) {
        event.succeeded = false;
    } else {
        state().clipboard.clear();
    }
    return event.succeeded;
}

bool setClipboardData(UINT format, std::string_view bytes) {
    sim::Event& event = record(sim::Op::setClipboardData);
    event.value = format;
    event.text = bytes;
    if (!state().clipboardOpen) {
        state().lastError = errorClipboardNotOpen;
        event.succeeded = false;
    } else if (chosenToFail(sim::Op::setClipboardData)) {
        event.succeeded = false;
    } else {
        state().clipboard[format] = std::string(bytes);
    }
    return event.succeeded;
}

bool closeClipboard() {
    sim::Event& event = record(sim::Op::closeClipboard);
    event.succeeded = state().clipboardOpen;
    state().clipboardOpen = false;
    return event.succeeded;
}

void sleep(DWORD milliseconds) {
    record(sim::Op::sleep).value = milliseconds;
    state().clock += milliseconds;
}

void retryPause(DWORD milliseconds) {
    record(sim::Op::retryPause).value = milliseconds;
    state().clock += milliseconds;
}

bool cursorPos(POINT& position) {
    sim::Event& event = record(sim::Op::cursorPos);
    if (state().cursorError) {
        state().lastError = *state().cursorError;
        event.succeeded = false;
        return false;
    }
    position = state().cursor;
    return true;
}

DWORD lastError() { return state().lastError; }

std::string errorText(DWORD code) { return "simulated system error " + std::to_string(code); }

}  // namespace sys
