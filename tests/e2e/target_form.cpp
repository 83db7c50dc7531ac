// A stand-in for the data-entry form that Zorvel fills, for the end-to-end test and the demo.
//
//   zorvel_target_form.exe RECORD-FILE
//
// The form walks like the real one: the type field, two choice lists driven by Down presses, six
// text fields, and the enter-one-more button. A click on the button appends the form's values as
// one line to RECORD-FILE (the fields' raw code page 932 bytes and the two selected indices,
// TAB-separated, CR LF at the end), then clears the form and puts the focus back in the type field.
// The file is opened, appended to and closed for every record, so a reader sees each record as
// soon as it is entered.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "e2e_texts_cp932.h"
#include "target_form_ids.h"

namespace {

constexpr char kClassName[] = "ZorvelTargetForm";
constexpr int kChoiceCount = 16;  // items "0" to "15"; the selected index is the count of Downs

using namespace e2e;  // the control ids

enum class Kind { edit, choice };

struct Row {
    int id;
    Kind kind;
    std::string_view label;
};

// In Tab order: the order of creation is the order of the Tab stops.
constexpr std::array<Row, 9> kRows{{
    {kTypeField, Kind::edit, e2e::typeLabel},
    {kChoice1, Kind::choice, e2e::choice1Label},
    {kChoice2, Kind::choice, e2e::choice2Label},
    {kText3, Kind::edit, e2e::text3Label},
    {kText4, Kind::edit, e2e::text4Label},
    {kText5, Kind::edit, e2e::text5Label},
    {kText6, Kind::edit, e2e::text6Label},
    {kText7, Kind::edit, e2e::text7Label},
    {kText8, Kind::edit, e2e::text8Label},
}};

constexpr int kLeft = 20, kTop = 200;  // below Zorvel's window, which opens at 9, 9
constexpr int kLabelX = 16, kLabelWidth = 90, kFieldX = 110, kFieldWidth = 320;
constexpr int kRowTop = 16, kRowPitch = 34, kFieldHeight = 24;
constexpr int kButtonWidth = 200, kButtonHeight = 32;
constexpr int kClientWidth = kFieldX + kFieldWidth + 24;
constexpr int kButtonTop = kRowTop + static_cast<int>(kRows.size()) * kRowPitch + 6;
constexpr int kClientHeight = kButtonTop + kButtonHeight + 16;

struct Form {
    std::wstring recordFile;
    HFONT font = nullptr;
};
Form form;

std::string textOf(HWND control) {
    // GetWindowTextA: the text in the ANSI code page, the bytes the record file must hold.
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string recordLine(HWND window) {
    std::string line;
    for (const Row& row : kRows) {
        if (row.id != kRows.front().id) line += '\t';
        HWND control = GetDlgItem(window, row.id);
        if (row.kind == Kind::choice) {
            line += std::to_string(SendMessageA(control, CB_GETCURSEL, 0, 0));
        } else {
            line += textOf(control);
        }
    }
    return line + "\r\n";
}

void appendRecord(const std::string& line) {
    HANDLE file =
        CreateFileW(form.recordFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(nullptr, "Cannot open the record file", "target form", MB_OK | MB_ICONERROR);
        return;
    }
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

void clearForm(HWND window) {
    for (const Row& row : kRows) {
        HWND control = GetDlgItem(window, row.id);
        if (row.kind == Kind::choice) {
            SendMessageA(control, CB_SETCURSEL, 0, 0);
        } else {
            SetWindowTextA(control, "");
        }
    }
    SetFocus(GetDlgItem(window, kTypeField));
}

HWND createControl(HWND parent, const char* className, std::string_view text, DWORD style, int id,
                   int x, int y, int width, int height) {
    const std::string caption(text);
    HWND control = CreateWindowExA(
        0, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
    return control;
}

void createControls(HWND window) {
    int y = kRowTop;
    for (const Row& row : kRows) {
        createControl(window, "STATIC", row.label, SS_LEFT, -1, kLabelX, y + 4, kLabelWidth,
                      kFieldHeight - 4);
        if (row.kind == Kind::choice) {
            // The drop-down part is the combo box's height; the closed box shows one line.
            HWND box =
                createControl(window, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              row.id, kFieldX, y, kFieldWidth / 2, 240);
            for (int item = 0; item < kChoiceCount; ++item) {
                SendMessageA(box, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(std::to_string(item).c_str()));
            }
            SendMessageA(box, CB_SETCURSEL, 0, 0);
        } else {
            createControl(window, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, row.id,
                          kFieldX, y, kFieldWidth, kFieldHeight);
        }
        y += kRowPitch;
    }
    createControl(window, "BUTTON", e2e::enterOneMoreCaption, WS_TABSTOP | BS_PUSHBUTTON,
                  kEnterOneMore, kFieldX, kButtonTop, kButtonWidth, kButtonHeight);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        createControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEnterOneMore && HIWORD(wParam) == BN_CLICKED) {
            appendRecord(recordLine(window));
            clearForm(window);
        }
        return 0;
    case WM_ACTIVATE:
        // Like a dialog: activation puts the focus on a field, never on the frame.
        DefWindowProcA(window, message, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE && GetFocus() == window)
            SetFocus(GetDlgItem(window, kTypeField));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        MessageBoxA(nullptr, "usage: zorvel_target_form RECORD-FILE", "target form",
                    MB_OK | MB_ICONERROR);
        return 2;
    }
    form.recordFile = argv[1];
    LocalFree(argv);
    form.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) return 1;

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const std::string caption(e2e::formCaption);
    HWND window = CreateWindowExA(0, kClassName, caption.c_str(), style, kLeft, kTop,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(window, kTypeField));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move between the Tab stops, as in a dialog.
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
