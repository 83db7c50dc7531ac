// What the end-to-end driver does on the shared desktop, standing in for the user: finding the
// windows of other processes, reading their texts, moving the pointer, pressing keys, and the
// clipboard. Everything here works across processes (Wine's server holds the window data).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// Polls `condition` every `pollMs` until it holds or `timeoutMs` has passed; a cold wine server
// makes the first answers slow, so nothing in the driver sleeps a fixed time where it can poll.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 50);

// A visible top-level window of the process with the given window class, or null.
HWND findTopWindow(DWORD processId, std::string_view className);
HWND waitForTopWindow(DWORD processId, std::string_view className, DWORD timeoutMs);

// The text of a window of another process, asked with WM_GETTEXT (GetWindowText does not ask
// another process's control): as UTF-16, and converted to code page 932 bytes.
std::optional<std::wstring> windowTextWide(HWND window);
std::optional<std::string> windowText(HWND window);
// Sets an edit box's or a window's text (WM_SETTEXT, code page 932 bytes).
bool setWindowText(HWND window, std::string_view cp932);

std::string classNameOf(HWND window);
// The control's outer rectangle in its parent's client coordinates.
RECT rectInParent(HWND control);
POINT centreOf(HWND window);

// The window with the keyboard focus in the thread that owns `top` (GetGUIThreadInfo).
HWND focusIn(HWND top);
// Makes `top` the foreground window and waits until it is.
bool bringToFront(HWND top, DWORD timeoutMs = 5000);

void tapKey(WORD virtualKey);
bool moveCursor(POINT to);

struct MessageBoxView {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;  // code page 932 bytes
    std::string text;
    bool hasIcon = false;
};
// A message box (a "#32770" window) of the process, or null.
HWND findMessageBox(DWORD processId);
std::optional<MessageBoxView> waitForMessageBox(DWORD processId, DWORD timeoutMs);
// Closes the box as a user does, with Enter on its OK button; true when it has gone.
bool closeMessageBox(HWND box);

bool putClipboardText(std::string_view bytes);
std::optional<std::string> clipboardText();

// For messages: code page 932 bytes as UTF-8, and as hex.
std::string toUtf8(std::string_view cp932);
std::string hexOf(std::string_view bytes);

// A Unix path ("/tmp/x") as Wine's DOS form ("Z:\tmp\x"); other paths unchanged.
std::string dosPath(std::string path);

}  // namespace e2e
