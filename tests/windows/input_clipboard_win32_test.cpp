// The input batch and the clipboard object over the real Win32 calls, under Wine: records that
// reach a window of this test's own, and Shift-JIS text that reaches the system clipboard.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "input/Uicontroller.h"
#include "platform/clipboard.h"
#include "platform/exception.h"
#include "run/entry_sequence.h"
#include "texts_cp932.h"

namespace {

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

// Handles the messages of this thread until `done` holds or `timeoutMs` has passed.
template <typename Condition>
bool pumpUntil(Condition done, int timeoutMs = 3000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (Clock::now() > deadline) return false;
        Sleep(10);
    }
}

// A small top-level window with an edit box and a button, in front and with the edit focused,
// so that injected input has somewhere to go that the test can read back.
class TestForm {
public:
    TestForm() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TestForm::procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZorvelInputTestForm";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&windowClass);  // fails harmlessly when a previous form registered it
        window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "input test",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 200, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                               10, 10, 360, 24, window, nullptr, windowClass.hInstance, nullptr);
        button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 60,
                                 120, 40, window, nullptr, windowClass.hInstance, nullptr);
        SetForegroundWindow(window);
        SetFocus(edit);
        pumpUntil([&] { return GetForegroundWindow() == window && GetFocus() == edit; }, 5000);
    }
    TestForm(const TestForm&) = delete;
    TestForm& operator=(const TestForm&) = delete;
    ~TestForm() {
        DestroyWindow(window);
        pumpUntil([] { return true; });
    }

    std::string editText() const {
        char buffer[256] = {};
        GetWindowTextA(edit, buffer, sizeof buffer);
        return buffer;
    }
    POINT centreOf(HWND control) const {
        RECT rect;
        GetWindowRect(control, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    HWND window = nullptr;
    HWND edit = nullptr;
    HWND button = nullptr;
    int buttonClicks = 0;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* form = reinterpret_cast<TestForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (form && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
            reinterpret_cast<HWND>(lParam) == form->button) {
            ++form->buttonClicks;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

// CF_TEXT as another program reads it: every byte of the block, the NUL included.
std::string clipboardBlock(bool* present = nullptr) {
    std::string bytes;
    if (present) *present = false;
    if (!OpenClipboard(nullptr)) {
        ADD_FAILURE() << "the test could not open the clipboard";
        return bytes;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (present) *present = true;
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            bytes.assign(locked, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

TEST(Win32Input, KeysAndAClickReachTheFocusedWindow) {
    TestForm form;
    ASSERT_EQ(GetFocus(), form.edit) << "the test form did not get the keyboard focus";

    auto batch = std::make_unique<TUIController>();
    for (std::uint16_t key : {std::uint16_t{'Z'}, std::uint16_t{'O'}, std::uint16_t{'R'}}) {
        batch->addKey(key, 1);
        batch->addKey(key, 0);
    }
    batch->send();
    EXPECT_TRUE(pumpUntil([&] { return form.editText() == "zor"; })) << form.editText();
    batch->send();  // a batch sends again unchanged
    EXPECT_TRUE(pumpUntil([&] { return form.editText() == "zorzor"; })) << form.editText();

    const POINT target = form.centreOf(form.button);
    auto click = std::make_unique<TUIController>();
    click->addMoveTo(target.x, target.y);
    click->addLeftClick();
    click->send();
    EXPECT_TRUE(pumpUntil([&] { return form.buttonClicks == 1; }));
    POINT cursor{};
    GetCursorPos(&cursor);
    // The factor 65535 with truncation may land one pixel left of and above the point.
    EXPECT_NEAR(cursor.x, target.x, 1);
    EXPECT_NEAR(cursor.y, target.y, 1);
}

TEST(Win32Input, PasteKeysPasteTheClipboardText) {
    TestForm form;
    ASSERT_EQ(GetFocus(), form.edit);
    const EntryBatches batches = buildEntryBatches(RecordedPositions{1, 1, 2, 2});
    TClipboard clipboard;
    clipboard.SetTextBuf(texts::partition);
    batches.pasteKeys->send();
    EXPECT_TRUE(pumpUntil([&] { return form.editText() == texts::partition; })) << form.editText();
}

TEST(Win32Clipboard, ShiftJisTextRoundTripsWithItsNul) {
    // A trail byte of 0x5C, a TAB, spaces at both ends, and the empty text.
    const std::string textsToStore[] = {" \x95\x5c\x8e\x64\x90\xd8\tA "s, ""s, "B"s};
    TClipboard clipboard;
    for (const std::string& text : textsToStore) {
        clipboard.SetTextBuf(text);
        const std::string block = clipboardBlock();
        ASSERT_GE(block.size(), text.size() + 1) << text;
        EXPECT_EQ(block.substr(0, text.size() + 1), text + '\0') << text;
    }
}

TEST(Win32Clipboard, ShiftJisTextReadsAsUnicodeToo) {
    TClipboard clipboard;
    clipboard.SetTextBuf(texts::partition);
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::wstring unicode;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            unicode = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    EXPECT_EQ(unicode, L"\u4ed5\u5207");  // 仕切
}

TEST(Win32Clipboard, ClearLeavesNoText) {
    TClipboard clipboard;
    clipboard.SetTextBuf("something");
    clipboard.Clear();
    bool present = true;
    clipboardBlock(&present);
    EXPECT_FALSE(present);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

// Another thread of this process stands in for a program that holds the clipboard open.
class ClipboardHolder {
public:
    explicit ClipboardHolder(int holdMs) {
        // Opened with a window of its own: two opens with no window count as the same owner.
        thread_ = std::thread([this, holdMs] {
            HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         nullptr, nullptr);
            opened_ = owner != nullptr && OpenClipboard(owner) != 0;
            ready_ = true;
            Sleep(holdMs);
            if (opened_) CloseClipboard();
            if (owner) DestroyWindow(owner);
        });
        while (!ready_) Sleep(1);
    }
    ~ClipboardHolder() { thread_.join(); }
    bool opened() const { return opened_; }

private:
    std::thread thread_;
    std::atomic<bool> ready_{false};
    std::atomic<bool> opened_{false};
};

TEST(Win32Clipboard, HeldClipboardIsWaitedForBrieflyThenReported) {
    TClipboard clipboard;
    {
        ClipboardHolder holder(100);
        ASSERT_TRUE(holder.opened());
        EXPECT_NO_THROW(clipboard.SetTextBuf("after a short hold"));
    }
    EXPECT_EQ(clipboardBlock().c_str(), "after a short hold"s);
    {
        ClipboardHolder holder(600);
        ASSERT_TRUE(holder.opened());
        const auto start = Clock::now();
        try {
            clipboard.SetTextBuf("never stored");
            ADD_FAILURE() << "a held clipboard was opened";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), texts::clipboardCannotOpen);
        }
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        EXPECT_GE(took.count(), 200);
        EXPECT_LT(took.count(), 1000);
    }
    EXPECT_EQ(clipboardBlock().c_str(), "after a short hold"s);
}

// Wall time of the record sequence itself against its fixed waits, on demand:
// zorvel_windows_tests --gtest_also_run_disabled_tests --gtest_filter=*SequenceWallTime*
TEST(Win32Timing, DISABLED_SequenceWallTime) {
    TestForm form;
    const POINT field = form.centreOf(form.edit);
    const POINT button = form.centreOf(form.button);
    EntryBatches batches =
        buildEntryBatches(RecordedPositions{field.x, field.y, button.x, button.y});
    TClipboard clipboard;
    const JournalRecord record{3, 1, "A", "B", "C"};
    constexpr int records = 3;
    const auto start = Clock::now();
    for (int i = 0; i < records; ++i) enterRecord(batches, clipboard, "T", record);
    const double tookMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double excessMs = tookMs - 4900.0 * records;
    // The form handles the queued input only now: the sequence never pumps messages.
    EXPECT_TRUE(pumpUntil([&] { return form.buttonClicks == records; }));
    std::printf("%d records: %.1f ms, %.1f ms over the waits (%.2f ms per record)\n", records,
                tookMs, excessMs, excessMs / records);
    EXPECT_GE(excessMs, 0.0);
}

}  // namespace
