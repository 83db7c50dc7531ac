// The main window under Wine: its properties and controls as built, the keyboard (Tab among the
// three buttons, Space and Enter pressing the focused one, Esc doing nothing), the capture of the
// pointer position, and the focus coming back after a message box.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "platform/forms_win32.h"
#include "shell/Core.h"
#include "shell/core_layout.h"
#include "tests/windows/message_box_watch.h"
#include "texts_cp932.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[256] = {};
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void press(WORD virtualKey, bool shift = false) {
    if (shift) key(VK_SHIFT, false);
    key(virtualKey, false);
    key(virtualKey, true);
    if (shift) key(VK_SHIFT, true);
}

class CoreWindow : public ::testing::Test {
protected:
    void SetUp() override {
        application.Title = "Zorvel";
        application.Initialize();
        application.CreateForm(core);
        ASSERT_NE(core, nullptr);
        ASSERT_NE(core->Handle(), nullptr);
    }

    // Handles this thread's messages, as the message loop would, until `done` holds.
    template <typename Condition>
    bool pumpUntil(Condition done, int timeoutMs = 5000) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            application.ProcessMessages();
            if (done()) return true;
            if (Clock::now() > deadline) return false;
            Sleep(10);
        }
    }
    // Lets the input already sent arrive.
    void settle() {
        pumpUntil([] { return false; }, 200);
    }

    // What the message loop does first: show the window, which then takes the focus.
    void show() {
        ShowWindow(core->Handle(), SW_SHOWNORMAL);
        SetForegroundWindow(core->Handle());
        ASSERT_TRUE(pumpUntil(
            [&] { return GetForegroundWindow() == core->Handle() && GetFocus() != nullptr; }));
    }

    TApplication application;
    TCore* core = nullptr;
};

TEST_F(CoreWindow, HasTheLayoutsWindowProperties) {
    HWND window = core->Handle();
    EXPECT_EQ(className(window), "TCore");
    EXPECT_EQ(textOf(window), "Zorvel");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 9);
    EXPECT_EQ(outer.top, 9);
    EXPECT_EQ(outer.right - outer.left, 488);
    EXPECT_EQ(outer.bottom - outer.top, 157);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    for (LONG bit : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }
    EXPECT_FALSE(style & WS_VISIBLE) << "hidden until the message loop shows it";
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));

    EXPECT_EQ(core->firstPosX, 0);
    EXPECT_EQ(core->firstPosY, 0);
    EXPECT_EQ(core->nextPosX, 0);
    EXPECT_EQ(core->nextPosY, 0);
}

TEST_F(CoreWindow, HasTheFourteenControlsOfTheTable) {
    constexpr COLORREF green = RGB(0, 128, 0), blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    struct Row {
        const char* name;
        TControl& control;
        const char* win32Class;
        int id;
        std::string_view caption;
        RECT bounds;  // left, top, width, height
        bool tabStop;
        bool bold;
        COLORREF textColor;
        int background;
    };
    constexpr int face = COLOR_BTNFACE, scroll = COLOR_SCROLLBAR, none = -1;
    // clang-format off
    const Row rows[] = {
        {"Label5", core->Label5, "Static", 1025, "STEP1 >>", {8, 20, 58, 12},
         false, true, green, face},
        {"getFirstXY", core->getFirstXY, "Button", 1001, texts::getFirstXYCaption, {72, 8, 233, 33},
         true, false, text, none},
        {"Label1", core->Label1, "Static", 1021, "X", {316, 20, 8, 12}, false, true, green, face},
        {"firstX", core->firstX, "Edit", 1011, "", {332, 16, 57, 20}, false, false, text, scroll},
        {"Label2", core->Label2, "Static", 1022, "Y", {396, 20, 8, 12}, false, true, green, face},
        {"firstY", core->firstY, "Edit", 1012, "", {412, 16, 57, 20}, false, false, text, scroll},
        {"Label6", core->Label6, "Static", 1026, "STEP2 >>", {8, 60, 58, 12},
         false, true, blue, face},
        {"getNextXY", core->getNextXY, "Button", 1002, texts::getNextXYCaption, {72, 48, 233, 33},
         true, false, text, none},
        {"Label3", core->Label3, "Static", 1023, "X", {316, 60, 8, 12}, false, true, blue, face},
        {"nextX", core->nextX, "Edit", 1013, "", {332, 56, 57, 20}, false, false, text, scroll},
        {"Label4", core->Label4, "Static", 1024, "Y", {396, 60, 8, 12}, false, true, blue, face},
        {"nextY", core->nextY, "Edit", 1014, "", {412, 56, 57, 20}, false, false, text, scroll},
        {"Label7", core->Label7, "Static", 1027, "STEP3 >>", {8, 100, 58, 12},
         false, true, red, face},
        {"exec", core->exec, "Button", 1003, texts::execCaption, {72, 88, 233, 33},
         true, false, text, none},
    };
    // clang-format on

    HDC dc = CreateCompatibleDC(nullptr);
    int children = 0;
    for (HWND child = GetWindow(core->Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 14);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND child = row.control.Handle();
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetParent(child), core->Handle());
        EXPECT_EQ(lstrcmpiA(className(child).c_str(), row.win32Class), 0) << className(child);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        EXPECT_EQ(textOf(child), row.caption);

        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, core->Handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, row.bounds.left);
        EXPECT_EQ(place.top, row.bounds.top);
        EXPECT_EQ(place.right - place.left, row.bounds.right);
        EXPECT_EQ(place.bottom - place.top, row.bounds.bottom);

        LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, row.tabStop);
        if (row.win32Class == std::string("Edit")) {
            EXPECT_FALSE(style & ES_READONLY);
            EXPECT_TRUE(IsWindowEnabled(child));
        }

        LOGFONTA font{};
        HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
        ASSERT_NE(handle, nullptr);
        GetObjectA(handle, sizeof font, &font);
        EXPECT_EQ(std::string(font.lfFaceName), texts::uiFontFace);
        EXPECT_EQ(font.lfHeight, -12);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(font.lfWeight, row.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);

        if (row.background >= 0) {
            UINT message =
                row.win32Class == std::string("Edit") ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
            LRESULT brush = SendMessageA(core->Handle(), message, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(child));
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(row.background)));
            EXPECT_EQ(GetTextColor(dc), row.textColor);
            EXPECT_EQ(GetBkColor(dc), GetSysColor(row.background));
        }
    }
    DeleteDC(dc);
}

TEST_F(CoreWindow, TabCyclesTheThreeButtonsFromGetFirstXY) {
    show();
    EXPECT_EQ(GetFocus(), core->getFirstXY.Handle());
    struct Step {
        WORD key;
        bool shift;
        TControl& focus;
    };
    const Step steps[] = {
        {VK_TAB, false, core->getNextXY},   {VK_TAB, false, core->exec},
        {VK_TAB, false, core->getFirstXY},  {VK_TAB, true, core->exec},
        {VK_TAB, true, core->getNextXY},    {VK_DOWN, false, core->getNextXY},
        {VK_RIGHT, false, core->getNextXY}, {VK_UP, false, core->getNextXY},
    };
    int index = 0;
    for (const Step& step : steps) {
        press(step.key, step.shift);
        EXPECT_TRUE(pumpUntil([&] { return GetFocus() == step.focus.Handle(); }, 2000))
            << "step " << index;
        settle();
        EXPECT_EQ(GetFocus(), step.focus.Handle()) << "step " << index;
        // The focused button is the default one, which Enter presses.
        EXPECT_EQ(GetWindowLongA(step.focus.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        ++index;
    }
    EXPECT_EQ(GetWindowLongA(core->getFirstXY.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(CoreWindow, SpaceAndEnterRecordThePointerPositionOfTheirRowOnly) {
    show();
    SetCursorPos(123, 45);
    press(VK_SPACE);
    ASSERT_TRUE(pumpUntil([&] { return core->firstPosX == 123; }));
    EXPECT_EQ(core->firstPosY, 45);
    EXPECT_EQ(textOf(core->firstX.Handle()), "123");
    EXPECT_EQ(textOf(core->firstY.Handle()), "45");
    EXPECT_EQ(core->nextPosX, 0);
    EXPECT_EQ(textOf(core->nextX.Handle()), "");

    press(VK_TAB);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == core->getNextXY.Handle(); }));
    SetCursorPos(640, 7);
    press(VK_RETURN);
    ASSERT_TRUE(pumpUntil([&] { return core->nextPosX == 640; }));
    EXPECT_EQ(core->nextPosY, 7);
    EXPECT_EQ(textOf(core->nextX.Handle()), "640");
    EXPECT_EQ(textOf(core->nextY.Handle()), "7");
    EXPECT_EQ(core->firstPosX, 123);
    EXPECT_EQ(core->firstPosY, 45);

    // The top-left pixel is stored as it comes, and the next press replaces both values.
    SetCursorPos(0, 0);
    press(VK_SPACE);
    ASSERT_TRUE(pumpUntil([&] { return core->nextPosX == 0 && core->nextPosY == 0; }));
    EXPECT_EQ(textOf(core->nextX.Handle()), "0");
    EXPECT_EQ(textOf(core->nextY.Handle()), "0");
}

TEST_F(CoreWindow, TypingIntoAnEditBoxChangesOnlyItsTextAndEnterOrEscDoNothing) {
    show();
    SetCursorPos(300, 200);
    press(VK_SPACE);
    ASSERT_TRUE(pumpUntil([&] { return core->firstPosX == 300; }));

    // A click gives an edit box the focus; typing there changes only its text.
    RECT box{};
    GetWindowRect(core->firstX.Handle(), &box);
    SetCursorPos(box.left + 5, box.top + 5);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof click[0]);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == core->firstX.Handle(); }));
    SendMessageA(core->firstX.Handle(), EM_SETSEL, 0, -1);
    press('7');
    press(VK_RETURN);
    press(VK_ESCAPE);
    settle();
    EXPECT_EQ(textOf(core->firstX.Handle()), "7");
    EXPECT_EQ(core->firstPosX, 300);
    EXPECT_EQ(core->firstPosY, 200);
    EXPECT_EQ(core->nextPosX, 0);
    EXPECT_TRUE(IsWindow(core->Handle()));
    EXPECT_TRUE(IsWindowVisible(core->Handle()));

    // Tab from the edit box goes on to the buttons; the edit boxes never take it.
    press(VK_TAB);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == core->getFirstXY.Handle(); }));
    SetCursorPos(301, 202);
    press(VK_SPACE);
    ASSERT_TRUE(pumpUntil([&] { return core->firstPosX == 301; }));
    EXPECT_EQ(textOf(core->firstX.Handle()), "301");
}

TEST_F(CoreWindow, ExecAtOnceShowsTheStepOneMessageAndTheFocusComesBack) {
    show();
    press(VK_TAB, true);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == core->exec.Handle(); }));
    MessageBoxWatch watch(core->Handle());
    press(VK_SPACE);
    // The box opens while the press is handled, and is closed by the watch.
    ASSERT_TRUE(pumpUntil([&] { return watch.finished(); }, 15000));
    SeenMessageBox box = watch.result();
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.caption, texts::errorCaption);
    EXPECT_EQ(box.text, texts::stepOneNotDone);
    EXPECT_FALSE(box.hasIcon);
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == core->exec.Handle(); }))
        << "focus on " << className(GetFocus());
}

}  // namespace
