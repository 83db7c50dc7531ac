#include "platform/mouse.h"

#include "platform/exception.h"
#include "platform/system.h"

TMouse Mouse;

POINT TMouse::CursorPos() const {
    POINT position{};
    if (!sys::cursorPos(position)) RaiseLastOSError();
    return position;
}
