#include "desktop.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

constexpr UINT kAnswerTimeoutMs = 3000;  // for a message sent to another process's window
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x0440;  // the icon's STATIC in the system's message box
constexpr DWORD kCursorRecordMs = 150;     // longer than Wine keeps a moved pointer's position

std::string toCodePage(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring fromCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        size);
    return wide;
}

struct WindowSearch {
    DWORD processId;
    std::string className;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (classNameOf(window) != search->className) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(pollMs);
    }
}

HWND findTopWindow(DWORD processId, std::string_view className) {
    WindowSearch search{processId, std::string(className)};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopWindow(DWORD processId, std::string_view className, DWORD timeoutMs) {
    HWND found = nullptr;
    waitFor([&] { return (found = findTopWindow(processId, className)) != nullptr; }, timeoutMs,
            100);
    return found;
}

std::optional<std::wstring> windowTextWide(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied)) {
        return std::nullopt;
    }
    return std::wstring(buffer.data(), copied);
}

std::optional<std::string> windowText(HWND window) {
    auto wide = windowTextWide(window);
    if (!wide) return std::nullopt;
    return toCodePage(*wide, 932);
}

bool setWindowText(HWND window, std::string_view cp932) {
    const std::wstring wide = fromCodePage(cp932, 932);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                               SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

std::string classNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT rectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT centreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND focusIn(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool bringToFront(HWND top, DWORD timeoutMs) {
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    return waitFor([&] { return GetForegroundWindow() == top; }, timeoutMs);
}

void tapKey(WORD virtualKey) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = virtualKey;
        key.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

bool moveCursor(POINT to) {
    const auto isThere = [&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == to.x && now.y == to.y;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetCursorPos(to.x, to.y);
        if (!waitFor(isThere, 2000)) continue;
        // Wine answers from its own record for 100 ms after a move, then asks the graphics
        // driver; with the X11 driver that is the X server, and a warp it has not done yet
        // would take the pointer back. Asking again after that shows where it really is.
        Sleep(kCursorRecordMs);
        if (isThere()) return true;
    }
    return false;
}

HWND findMessageBox(DWORD processId) { return findTopWindow(processId, "#32770"); }

std::optional<MessageBoxView> waitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = nullptr;
    if (!waitFor([&] { return (box = findMessageBox(processId)) != nullptr; }, timeoutMs, 100))
        return std::nullopt;
    MessageBoxView view;
    view.window = box;
    view.owner = GetWindow(box, GW_OWNER);
    // The box is visible a moment before its text is set: wait for a caption.
    waitFor([&] { return !windowText(box).value_or("").empty(); }, 3000);
    view.caption = windowText(box).value_or("");
    if (HWND text = GetDlgItem(box, kMessageBoxTextId)) view.text = windowText(text).value_or("");
    if (HWND icon = GetDlgItem(box, kMessageBoxIconId); icon && IsWindowVisible(icon)) {
        DWORD_PTR handle = 0;
        SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &handle);
        view.hasIcon = handle != 0;
    }
    return view;
}

bool closeMessageBox(HWND box) {
    bringToFront(box);
    tapKey(VK_RETURN);
    return waitFor([&] { return !IsWindow(box); }, 5000);
}

bool putClipboardText(std::string_view bytes) {
    if (!waitFor([] { return OpenClipboard(nullptr) != 0; }, 3000)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    bool stored = false;
    if (memory != nullptr) {
        char* target = static_cast<char*>(GlobalLock(memory));
        std::copy(bytes.begin(), bytes.end(), target);
        target[bytes.size()] = '\0';
        GlobalUnlock(memory);
        stored = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!stored) GlobalFree(memory);
    }
    CloseClipboard();
    return stored;
}

std::optional<std::string> clipboardText() {
    if (!waitFor([] { return OpenClipboard(nullptr) != 0; }, 3000)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = std::string(bytes);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string toUtf8(std::string_view cp932) { return toCodePage(fromCodePage(cp932, 932), CP_UTF8); }

std::string hexOf(std::string_view bytes) {
    std::string hex;
    char digits[4];
    for (unsigned char byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x ", byte);
        hex += digits;
    }
    if (!hex.empty()) hex.pop_back();
    return hex;
}

std::string dosPath(std::string path) {
    if (path.empty() || path.front() != '/') return path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return "Z:" + path;
}

}  // namespace e2e
