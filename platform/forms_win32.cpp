#include "platform/forms_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

#include "platform/system.h"
#include "texts_cp932.h"

TApplication Application;

namespace {

constexpr UINT layoutDpi = 96;

// Calls of Windows 10 and later, looked up at run time so that the program still starts on
// systems without them (they then count as 96 pixels per inch, or the screen's setting).
template <class Function>
Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void (*)(), which GCC lets stand for any function type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

UINT windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (UINT dpi = getDpiForWindow(window); dpi != 0) return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : layoutDpi;
}

// The frame and title bar that a window of this style has around its client area at `dpi`.
RECT frameAt(DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (adjustForDpi != nullptr)
        adjustForDpi(&frame, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

int scaled(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), layoutDpi); }

constexpr DWORD formStyle = WS_OVERLAPPEDWINDOW;

DWORD formExStyle(const FormLayout& layout) { return layout.stayOnTop ? WS_EX_TOPMOST : 0; }

GdiFont makeFont(const FormLayout& layout, LONG weight, UINT dpi) {
    LOGFONTA font{};
    font.lfHeight = scaled(layout.fontHeight, dpi);
    font.lfWeight = weight;
    font.lfCharSet = layout.fontCharset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::size_t length = std::min(layout.fontFace.size(), sizeof font.lfFaceName - 1);
    std::copy_n(layout.fontFace.data(), length, font.lfFaceName);
    GdiFont made(CreateFontIndirectA(&font));
    if (made.get() == nullptr) RaiseLastOSError();
    return made;
}

struct Win32Class {
    const char* name;
    DWORD style;
    DWORD exStyle;
};

// Every control opens its own group, so that arrow keys never move the focus: only Tab does.
Win32Class win32ClassOf(const ControlLayout& layout) {
    constexpr DWORD common = WS_CHILD | WS_VISIBLE | WS_GROUP;
    DWORD tabStop = layout.tabStop ? WS_TABSTOP : 0;
    switch (layout.member.kind) {
    case ControlClass::button:
        // BS_NOTIFY: the form hears of focus changes to move the default-button look with them.
        return {"BUTTON", common | tabStop | BS_PUSHBUTTON | BS_NOTIFY, 0};
    case ControlClass::edit:
        return {"EDIT", common | tabStop | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlClass::label:
        break;
    }
    return {"STATIC", common | tabStop | SS_LEFT | SS_NOPREFIX, 0};
}

}  // namespace

// ---- GdiFont -----------------------------------------------------------------------------------

GdiFont& GdiFont::operator=(GdiFont&& other) noexcept {
    if (this != &other) {
        if (font_ != nullptr) DeleteObject(font_);
        font_ = other.font_;
        other.font_ = nullptr;
    }
    return *this;
}

GdiFont::~GdiFont() {
    if (font_ != nullptr) DeleteObject(font_);
}

// ---- TEdit -------------------------------------------------------------------------------------

void TEdit::SetText(std::string_view text) { SetWindowTextA(Handle(), std::string(text).c_str()); }

// ---- TForm -------------------------------------------------------------------------------------

TForm::~TForm() {
    // The control members of the derived class are gone already: forget them before the window
    // and its children are destroyed.
    controls_.clear();
    lastFocus_ = nullptr;
    if (handle_ != nullptr) DestroyWindow(handle_);
}

void TForm::build(const FormLayout& layout) {
    layout_ = &layout;
    HINSTANCE instance = GetModuleHandleA(nullptr);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(instance, layout.className, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = &TForm::windowProcedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, "MAINICON");
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = GetSysColorBrush(layout.backgroundColor);
        windowClass.lpszClassName = layout.className;
        if (RegisterClassExA(&windowClass) == 0) RaiseLastOSError();
    }

    // Hidden until the message loop shows it; the window procedure learns `this` on WM_NCCREATE.
    HWND window = CreateWindowExA(
        formExStyle(layout), layout.className, std::string(layout.caption).c_str(), formStyle,
        layout.left, layout.top, layout.width, layout.height, nullptr, nullptr, instance, this);
    if (window == nullptr) RaiseLastOSError();
    dpi_ = windowDpi(window);
    formFont_ = makeFont(layout, FW_NORMAL, dpi_);
    boldFont_ = makeFont(layout, FW_BOLD, dpi_);
    if (dpi_ != layoutDpi) {
        SIZE size = outerSize(dpi_);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    createControls();
}

// The windowed controls are created in Tab order, which is the order the dialog navigation of the
// system walks; labels take no focus and come first.
void TForm::createControls() {
    std::vector<const ControlLayout*> order;
    order.reserve(layout_->controls.size());
    for (const ControlLayout& layout : layout_->controls) order.push_back(&layout);
    std::stable_sort(
        order.begin(), order.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabOrder < b->tabOrder; });

    controls_.reserve(order.size());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const ControlLayout* layout : order) {
        Win32Class kind = win32ClassOf(*layout);
        HWND child = CreateWindowExA(
            kind.exStyle, kind.name, std::string(layout->caption).c_str(), kind.style,
            scaled(layout->bounds.left, dpi_), scaled(layout->bounds.top, dpi_),
            scaled(layout->bounds.width, dpi_), scaled(layout->bounds.height, dpi_), handle_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout->id)), instance, nullptr);
        if (child == nullptr) RaiseLastOSError();
        TControl& control = layout->member.bind(*this);
        control.handle_ = child;
        controls_.push_back({layout, &control});
        HFONT font = layout->font == ControlFont::bold ? boldFont_.get() : formFont_.get();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

// The layout is for 96 pixels per inch: the client area, the controls and the fonts grow with the
// window's DPI, the frame is the system's own at that DPI.
SIZE TForm::outerSize(UINT dpi) const {
    if (dpi == layoutDpi) return {layout_->width, layout_->height};
    DWORD exStyle = formExStyle(*layout_);
    RECT frame96 = frameAt(formStyle, exStyle, layoutDpi);
    RECT frame = frameAt(formStyle, exStyle, dpi);
    int clientWidth = layout_->width - (frame96.right - frame96.left);
    int clientHeight = layout_->height - (frame96.bottom - frame96.top);
    return {scaled(clientWidth, dpi) + (frame.right - frame.left),
            scaled(clientHeight, dpi) + (frame.bottom - frame.top)};
}

void TForm::applyDpi(UINT dpi) {
    GdiFont formFont = makeFont(*layout_, FW_NORMAL, dpi);
    GdiFont boldFont = makeFont(*layout_, FW_BOLD, dpi);
    dpi_ = dpi;
    for (const BoundControl& bound : controls_) {
        const ControlLayout& layout = *bound.layout;
        HWND child = bound.control->Handle();
        SetWindowPos(child, nullptr, scaled(layout.bounds.left, dpi),
                     scaled(layout.bounds.top, dpi), scaled(layout.bounds.width, dpi),
                     scaled(layout.bounds.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = layout.font == ControlFont::bold ? boldFont.get() : formFont.get();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    // The controls use the new fonts now; the old ones go.
    formFont_ = std::move(formFont);
    boldFont_ = std::move(boldFont);
}

const TForm::BoundControl* TForm::find(HWND control) const {
    for (const BoundControl& bound : controls_) {
        if (control != nullptr && bound.control->Handle() == control) return &bound;
    }
    return nullptr;
}

void TForm::rememberFocus(HWND control) {
    if (find(control) != nullptr) lastFocus_ = control;
}

// As a dialog does: the focus goes back where it was, or to the first control in Tab order.
void TForm::restoreFocus() {
    HWND target = nullptr;
    if (find(lastFocus_) != nullptr && IsWindowEnabled(lastFocus_)) {
        target = lastFocus_;
    } else {
        // The controls were created in Tab order: the first with a Tab stop comes first.
        for (const BoundControl& bound : controls_) {
            if (bound.layout->tabStop) {
                target = bound.control->Handle();
                break;
            }
        }
    }
    if (target != nullptr) SetFocus(target);
}

LRESULT CALLBACK TForm::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form->handle_ = nullptr;
        for (BoundControl& bound : form->controls_) bound.control->handle_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // No exception may unwind through the system's code that called us: whatever leaves an event
    // handler is shown here, and the form goes on working.
    try {
        return form->handleMessage(message, wParam, lParam);
    } catch (...) {
        form->owner_.HandleException();
        return 0;
    }
}

LRESULT TForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return command(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return controlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            rememberFocus(GetFocus());
        } else if (HIWORD(wParam) == 0) {  // not minimised
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case DM_GETDEFID: {
        // The dialog navigation asks which button Enter presses: the focused one, if a button has
        // the focus, and none otherwise.
        const BoundControl* focused = find(GetFocus());
        if (focused != nullptr && focused->layout->member.kind == ControlClass::button) {
            return MAKELRESULT(focused->layout->id, DC_HASDEFID);
        }
        return 0;
    }
    case WM_GETDPISCALEDSIZE: {
        SIZE size = outerSize(static_cast<UINT>(wParam));
        *reinterpret_cast<SIZE*>(lParam) = size;
        return TRUE;
    }
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(handle_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(LOWORD(wParam));
        return 0;
    }
    case WM_DESTROY:
        if (owner_.running_ && owner_.mainForm_ == this) PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(handle_, message, wParam, lParam);
    }
}

LRESULT TForm::command(WPARAM wParam, LPARAM lParam) {
    const BoundControl* bound = find(reinterpret_cast<HWND>(lParam));
    if (bound == nullptr || bound->layout->id != LOWORD(wParam)) return 0;  // e.g. IDOK from Enter
    WORD code = HIWORD(wParam);
    HWND control = bound->control->Handle();
    switch (bound->layout->member.kind) {
    case ControlClass::button:
        if (code == BN_CLICKED && bound->layout->onClick != nullptr) {
            bound->layout->onClick(*this, bound->control);
        } else if (code == BN_SETFOCUS) {
            // The focused button is the one Enter presses, and it looks so, as in a dialog.
            lastFocus_ = control;
            SendMessageA(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        } else if (code == BN_KILLFOCUS) {
            SendMessageA(control, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
        break;
    case ControlClass::edit:
        if (code == EN_SETFOCUS) lastFocus_ = control;
        break;
    case ControlClass::label:
        break;
    }
    return 0;
}

LRESULT TForm::controlColor(HDC dc, HWND control) {
    const BoundControl* bound = find(control);
    if (bound == nullptr)
        return DefWindowProcA(handle_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const ControlLayout& layout = *bound->layout;
    int background =
        layout.backgroundColor == parentColor ? layout_->backgroundColor : layout.backgroundColor;
    SetTextColor(dc, layout.textColor.value_or(GetSysColor(COLOR_WINDOWTEXT)));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// ---- TApplication ------------------------------------------------------------------------------

TApplication::~TApplication() {
    // The main form last, as it was created first.
    while (!forms_.empty()) forms_.pop_back();
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

void TApplication::adopt(OwnedForm form) {
    forms_.push_back(std::move(form));
    if (mainForm_ == nullptr) mainForm_ = forms_.back().get();
}

void TApplication::Run() {
    if (mainForm_ == nullptr || mainForm_->Handle() == nullptr) return;
    running_ = true;
    ShowWindow(mainForm_->Handle(), SW_SHOWNORMAL);
    UpdateWindow(mainForm_->Handle());
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
    running_ = false;
}

void TApplication::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

// Tab, Shift+Tab, Space and Enter on the main form work as in a dialog (the system's dialog
// navigation); the form's controls keep their ids clear of IDOK and IDCANCEL, so that Enter
// elsewhere and Esc do nothing.
bool TApplication::dispatch(MSG& message) {
    HWND main = MainFormHandle();
    if (main != nullptr && IsDialogMessageA(main, &message)) return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return false;
}

void TApplication::ShowException(const Exception& exception) { showText(exception.Message()); }

void TApplication::HandleException() noexcept {
    try {
        try {
            throw;
        } catch (const Exception& exception) {
            ShowException(exception);
        } catch (const std::bad_alloc&) {
            showText(texts::outOfMemory);
        } catch (const std::exception& exception) {
            showText(exception.what());
        } catch (...) {
            showText({});
        }
    } catch (...) {
        // The display itself failed (no memory left even for it): nothing more can be shown.
    }
}

void TApplication::showText(std::string_view message) {
    sys::messageBox(MainFormHandle(), message, Title, MB_OK | MB_ICONERROR);
}
