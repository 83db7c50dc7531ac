#include "platform/clipboard.h"

#include <string>

#include "platform/exception.h"
#include "platform/system.h"
#include "texts_cp932.h"

namespace {

// Closes the clipboard on every way out, so that a failure after opening never leaves it held.
class ClipboardClose {
public:
    ClipboardClose() = default;
    ClipboardClose(const ClipboardClose&) = delete;
    ClipboardClose& operator=(const ClipboardClose&) = delete;
    ~ClipboardClose() { sys::closeClipboard(); }
};

void emptyOpenClipboard() {
    if (!sys::emptyClipboard()) {
        throw EOSError(std::string(texts::clipboardCannotEmpty), sys::lastError());
    }
}

}  // namespace

// Another program (a clipboard viewer, the target reading a paste) usually holds the clipboard
// for a few milliseconds only. Ten tries over 225 ms ride that out and still fail promptly,
// well inside one of the run's 500 ms waits, when a program keeps it open.
void TClipboard::open() {
    for (int tried = 1;; ++tried) {
        if (sys::openClipboard(owner_)) return;
        if (tried == openTries) break;
        sys::retryPause(retryPauseMs);
    }
    throw Exception(std::string(texts::clipboardCannotOpen));
}

void TClipboard::Clear() {
    open();
    ClipboardClose close;
    emptyOpenClipboard();
}

void TClipboard::SetTextBuf(std::string_view text) {
    // Built before opening, so the clipboard is held only for the system calls.
    std::string bytes;
    bytes.reserve(text.size() + 1);
    bytes.append(text);
    bytes.push_back('\0');

    open();
    ClipboardClose close;
    emptyOpenClipboard();
    if (!sys::setClipboardData(CF_TEXT, bytes)) {
        throw EOSError(std::string(texts::clipboardCannotSetText), sys::lastError());
    }
}
