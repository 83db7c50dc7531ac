// Start-up: the application object, the main window and the message loop, inside one guard.
// The exit code is 0 however the program ends.
#include "platform/exception.h"
#include "platform/forms_win32.h"
#include "shell/Core.h"
#include "shell/core_layout.h"

namespace {

void startUp() {
    try {
        Application.Initialize();
        Application.Title = "Zorvel";
        Application.CreateForm(Core);
        Application.Run();
    } catch (const Exception& exception) {
        Application.ShowException(exception);
    } catch (...) {
        // Anything else is shown as a platform exception without a message.
        try {
            throw Exception("");
        } catch (const Exception& exception) {
            Application.ShowException(exception);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        startUp();
    } catch (...) {
        // Only the display of a failure can fail here (no memory even for it); still exit with 0.
    }
    return 0;
}
