// An exception that leaves a click handler stops where the form's window procedure dispatched the
// click: it is shown with the exception display, owned by the form, and the form goes on working.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/exception.h"
#include "platform/forms_win32.h"
#include "tests/windows/message_box_watch.h"
#include "texts_cp932.h"

namespace {

class TFailingForm : public TForm {
public:
    explicit TFailingForm(TApplication& owner) : TForm(owner) {}

    TButton fail;
    int presses = 0;
    std::function<void()> raise;

    void failClick(TObject*) {
        ++presses;
        raise();
    }
};

constexpr int failId = 1001;

// clang-format off
constexpr ControlLayout failingControls[] = {
    {.member = control<&TFailingForm::fail>(), .id = failId, .bounds = {8, 8, 120, 30},
     .caption = "fail", .tabOrder = 0, .tabStop = true,
     .onClick = handler<&TFailingForm::failClick>()},
};
// clang-format on

constexpr FormLayout failingForm{
    .className = "ZorvelFailingForm",
    .caption = "failing",
    .left = 40,
    .top = 40,
    .width = 300,
    .height = 120,
    .fontFace = "Tahoma",
    .fontHeight = -12,
    .controls = failingControls,
};

const FormLayout& formLayout(const TFailingForm&) { return failingForm; }

TEST(FormException, LeavingAHandlerIsShownAtTheDispatchAndTheFormGoesOn) {
    const std::string japanese(texts::clipboardCannotOpen);
    struct Case {
        const char* name;
        std::function<void()> raise;
        std::string text;
    };
    const Case cases[] = {
        {"Exception", [&] { throw Exception(japanese); }, japanese},
        {"EOSError", [] { throw EOSError("Access denied.", 5); }, "Access denied."},
        {"bad_alloc", [] { throw std::bad_alloc(); }, std::string(texts::outOfMemory)},
        {"std::exception", [] { throw std::runtime_error("broken"); }, "broken"},
        {"anything else", [] { throw 42; }, ""},
    };

    TApplication application;
    application.Title = "Zorvel";
    application.Initialize();
    TFailingForm* form = nullptr;
    application.CreateForm(form);
    ASSERT_NE(form, nullptr);
    ShowWindow(form->Handle(), SW_SHOWNORMAL);

    int presses = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->raise = c.raise;
        MessageBoxWatch watch(form->Handle());
        // Sent through the system, as the button itself does; the exception must not come out.
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(failId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->fail.Handle()));
        SeenMessageBox box = watch.result();
        EXPECT_EQ(form->presses, ++presses);
        ASSERT_TRUE(box.seen);
        EXPECT_EQ(box.caption, "Zorvel");
        EXPECT_EQ(box.text, c.text);
        EXPECT_TRUE(box.hasIcon);
        EXPECT_TRUE(IsWindow(form->Handle()));
        EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    }

    // Still working: a handler that does not throw runs as before.
    form->raise = [] {};
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(failId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->fail.Handle()));
    EXPECT_EQ(form->presses, presses + 1);
}

}  // namespace
