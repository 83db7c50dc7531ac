// Watches, from a thread of its own, for a message box owned by one window; reads what it shows
// and presses its OK button. Lets a test run code that opens a modal box on the test's thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

struct SeenMessageBox {
    bool seen = false;
    std::string caption;
    std::string text;
    bool hasIcon = false;
};

class MessageBoxWatch {
public:
    explicit MessageBoxWatch(HWND owner, int timeoutMs = 10000)
        : owner_(owner), thread_([this, timeoutMs] { watch(timeoutMs); }) {}
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
    ~MessageBoxWatch() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

    // True once a box has been seen and closed, or the time is up.
    bool finished() const { return finished_; }

    // Waits for the watch to end.
    SeenMessageBox result() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    struct Search {
        HWND owner;
        HWND box;
    };

    static BOOL CALLBACK findBox(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770" && GetWindow(window, GW_OWNER) == search->owner &&
            IsWindowVisible(window)) {
            search->box = window;
            return FALSE;
        }
        return TRUE;
    }

    static BOOL CALLBACK findIcon(HWND child, LPARAM context) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            *reinterpret_cast<bool*>(context) = true;
            return FALSE;
        }
        return TRUE;
    }

    static std::string textOf(HWND window) {
        char text[1024] = {};
        int length = GetWindowTextA(window, text, sizeof text);
        return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
    }

    void watch(int timeoutMs) {
        look(timeoutMs);
        finished_ = true;
    }

    void look(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            Search search{owner_, nullptr};
            EnumWindows(&MessageBoxWatch::findBox, reinterpret_cast<LPARAM>(&search));
            if (search.box != nullptr) {
                seen_.seen = true;
                seen_.caption = textOf(search.box);
                seen_.text = textOf(GetDlgItem(search.box, 0xFFFF));
                EnumChildWindows(search.box, &MessageBoxWatch::findIcon,
                                 reinterpret_cast<LPARAM>(&seen_.hasIcon));
                PostMessageA(search.box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    }

    HWND owner_;
    SeenMessageBox seen_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
