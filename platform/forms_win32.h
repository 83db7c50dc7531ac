// The form layer of the stand-in class library over Win32: the application object, the form class
// and the three standard controls (BUTTON, STATIC, EDIT). A form is built from a layout table of
// plain structs; its controls and click handlers are members of the form's own class, bound by
// templates that keep that class's type, so an event reaches its handler without a virtual call.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/exception.h"
#include "platform/win_types.h"

class TApplication;
class TForm;

// The type of an event's Sender.
class TObject {};

// One child window of a form, created from its row of the layout.
class TControl : public TObject {
public:
    HWND Handle() const { return handle_; }

private:
    friend class TForm;
    HWND handle_ = nullptr;
};

class TButton : public TControl {};
class TLabel : public TControl {};

class TEdit : public TControl {
public:
    // Replaces the text shown (code page 932 bytes).
    void SetText(std::string_view text);
};

enum class ControlClass { button, label, edit };

// Which of the form's two fonts a control shows: the form's own, or the labels' bold one.
enum class ControlFont { form, bold };

// A system colour index (COLOR_...) or the parent's colour.
inline constexpr int parentColor = -1;

// A control member of a form class, and which kind of control it is.
struct ControlMember {
    TControl& (*bind)(TForm& form) = nullptr;
    ControlClass kind = ControlClass::label;
};

using ClickHandler = void (*)(TForm& form, TObject* sender);

// A control's place in its form's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control of a layout. Positions and sizes are client pixels at 96 pixels per inch.
struct ControlLayout {
    ControlMember member;
    int id = 0;
    Bounds bounds;
    std::string_view caption{};
    ControlFont font = ControlFont::form;
    std::optional<COLORREF> textColor{};  // the system's window-text colour when empty
    int backgroundColor = parentColor;
    int tabOrder = -1;  // -1 for a label, which takes no focus
    bool tabStop = false;
    ClickHandler onClick = nullptr;
};

// A form's window. The rectangle is the outer one (frame and title bar included) at 96 pixels
// per inch; the font height is a LOGFONT height at 96 pixels per inch.
struct FormLayout {
    const char* className = nullptr;
    std::string_view caption{};
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool stayOnTop = false;
    int backgroundColor = COLOR_BTNFACE;
    std::string_view fontFace{};
    int fontHeight = 0;
    BYTE fontCharset = DEFAULT_CHARSET;
    std::span<const ControlLayout> controls{};
};

namespace forms_detail {

template <class>
struct MemberOf;
template <class Form, class Member>
struct MemberOf<Member Form::*> {
    using form = Form;
    using member = Member;
};

template <class Control>
constexpr ControlClass classOf() {
    if constexpr (std::is_same_v<Control, TButton>)
        return ControlClass::button;
    else if constexpr (std::is_same_v<Control, TEdit>)
        return ControlClass::edit;
    else {
        static_assert(std::is_same_v<Control, TLabel>,
                      "a control member is a TButton, TLabel or TEdit");
        return ControlClass::label;
    }
}

}  // namespace forms_detail

// The layout row's reference to a control member of the form class, e.g. control<&TMyForm::ok>().
template <auto Member>
constexpr ControlMember control() {
    using Info = forms_detail::MemberOf<decltype(Member)>;
    return {
        [](TForm& form) -> TControl& { return static_cast<typename Info::form&>(form).*Member; },
        forms_detail::classOf<typename Info::member>()};
}

// The layout row's reference to a click handler of the form class, e.g.
// handler<&TMyForm::okClick>().
template <auto Handler>
constexpr ClickHandler handler() {
    using Info = forms_detail::MemberOf<decltype(Handler)>;
    return [](TForm& form, TObject* sender) {
        (static_cast<typename Info::form&>(form).*Handler)(sender);
    };
}

// Owns one GDI font.
class GdiFont {
public:
    GdiFont() = default;
    explicit GdiFont(HFONT font) : font_(font) {}
    GdiFont(GdiFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    GdiFont& operator=(GdiFont&& other) noexcept;
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;
    ~GdiFont();
    HFONT get() const { return font_; }

private:
    HFONT font_ = nullptr;
};

// A top-level window of our own class with its controls. The class deriving from it adds only
// control members and handlers; TApplication::CreateForm builds the window from the layout that
// formLayout(const Form&) returns for that class.
class TForm : public TObject {
public:
    explicit TForm(TApplication& owner) : owner_(owner) {}
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;
    ~TForm();

    HWND Handle() const { return handle_; }

private:
    friend class TApplication;

    struct BoundControl {
        const ControlLayout* layout;
        TControl* control;
    };

    void build(const FormLayout& layout);
    void createControls();
    void applyDpi(UINT dpi);
    SIZE outerSize(UINT dpi) const;
    const BoundControl* find(HWND control) const;
    void rememberFocus(HWND control);
    void restoreFocus();

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT command(WPARAM wParam, LPARAM lParam);
    LRESULT controlColor(HDC dc, HWND control);

    TApplication& owner_;
    const FormLayout* layout_ = nullptr;
    HWND handle_ = nullptr;
    UINT dpi_ = 96;
    GdiFont formFont_;
    GdiFont boldFont_;
    std::vector<BoundControl> controls_;
    HWND lastFocus_ =
        nullptr;  // the control to give the focus back to when the form is active again
};

class TApplication {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    ~TApplication();

    // Loads the system's common controls (visual styles, with the executable's manifest).
    void Initialize();

    // Creates a Form owned by the application, builds it from its layout and stores it in
    // `reference`; the first form created is the main form.
    template <class Form>
    void CreateForm(Form*& reference);

    // Shows the main form and dispatches messages until it is closed.
    void Run();
    // Dispatches the messages waiting, without blocking.
    void ProcessMessages();

    // The exception display: the message, the title as caption, the error icon, OK; owned by the
    // main form's window.
    void ShowException(const Exception& exception);
    // Shows the exception being handled, of any type, with the exception display. Call only in a
    // catch block; it never throws.
    void HandleException() noexcept;

    HWND MainFormHandle() const { return mainForm_ != nullptr ? mainForm_->Handle() : nullptr; }

    // The text of the task-bar button and the caption of the exception display.
    std::string Title;

private:
    friend class TForm;
    using OwnedForm = std::unique_ptr<TForm, void (*)(TForm*)>;

    template <class Form>
    static void destroyForm(TForm* form) {
        delete static_cast<Form*>(form);
    }
    void adopt(OwnedForm form);
    bool dispatch(MSG& message);
    void showText(std::string_view message);

    std::vector<OwnedForm> forms_;
    TForm* mainForm_ = nullptr;
    bool running_ = false;
};

template <class Form>
void TApplication::CreateForm(Form*& reference) {
    static_assert(std::is_base_of_v<TForm, Form>);
    OwnedForm form(new Form(*this), &destroyForm<Form>);
    Form& built = static_cast<Form&>(*form);
    built.build(formLayout(built));
    adopt(std::move(form));
    reference = &built;
}

// The application object of the program.
extern TApplication Application;
