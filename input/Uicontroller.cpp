#include "input/Uicontroller.h"

#include <string>

#include "platform/exception.h"
#include "platform/system.h"
#include "texts_cp932.h"

namespace {

// The absolute coordinates span 0 to 65535 over the primary screen. The arithmetic is unsigned
// 32-bit on purpose: a position left of or above the primary screen wraps instead of clamping.
LONG normalised(std::int32_t pixel, int screenSize) {
    const std::uint32_t product = static_cast<std::uint32_t>(pixel) * 65535u;
    return static_cast<LONG>(product / static_cast<std::uint32_t>(screenSize));
}

}  // namespace

void TUIController::requireRoom(int records) const {
    if (cursor - inputs > capacity - records) {
        throw Exception(std::string(texts::inputBatchFull));
    }
}

void TUIController::addKey(std::uint16_t virtualKey, std::int32_t down) {
    requireRoom(1);
    cursor->type = INPUT_KEYBOARD;
    cursor->ki.wVk = virtualKey;
    // Looked up now: a later send keeps this scan code even if the keyboard layout changes.
    cursor->ki.wScan = static_cast<WORD>(sys::mapVirtualKey(virtualKey, MAPVK_VK_TO_VSC));
    cursor->ki.dwFlags = down != 0 ? 0 : KEYEVENTF_KEYUP;
    cursor->ki.time = 0;
    cursor->ki.dwExtraInfo = 0;
    ++cursor;
}

void TUIController::addMoveTo(std::int32_t x, std::int32_t y) {
    requireRoom(1);
    const int width = sys::systemMetrics(SM_CXSCREEN);
    const int height = sys::systemMetrics(SM_CYSCREEN);
    // Without a screen size there is no position to move to; a batch that clicked into a corner
    // and carried on would enter records into whatever lies there.
    if (width == 0 || height == 0) {
        throw Exception(std::string(texts::screenSizeUnknown));
    }
    cursor->type = INPUT_MOUSE;
    cursor->mi.dx = normalised(x, width);
    cursor->mi.dy = normalised(y, height);
    cursor->mi.mouseData = 0;
    cursor->mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    cursor->mi.time = 0;
    cursor->mi.dwExtraInfo = 0;
    ++cursor;
}

void TUIController::addLeftClick() {
    requireRoom(2);
    // No move flag: press and release happen wherever the pointer is by then.
    for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        cursor->type = INPUT_MOUSE;
        cursor->mi.dx = 0;
        cursor->mi.dy = 0;
        cursor->mi.mouseData = 0;
        cursor->mi.dwFlags = button;
        cursor->mi.time = 0;
        cursor->mi.dwExtraInfo = 0;
        ++cursor;
    }
}

void TUIController::send() {
    // What the system accepted is deliberately not examined: the run keeps its fixed timing.
    sys::sendInput(static_cast<UINT>(cursor - inputs), inputs, static_cast<int>(sizeof(INPUT)));
}
