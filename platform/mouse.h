// The mouse object of the stand-in class library (TMouse): where the pointer is.
#pragma once

#include "platform/win_types.h"

class TMouse {
public:
    // The pointer's screen position as GetCursorPos reports it. Throws EOSError with the
    // system's text for the error when the system cannot tell.
    POINT CursorPos() const;
};

extern TMouse Mouse;
