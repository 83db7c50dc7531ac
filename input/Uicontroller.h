// A batch of system input records, built once and handed to the system in one call as often as
// needed.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

class TUIController {
public:
    TUIController() : cursor(inputs) {}

    // Each append throws Exception, before writing anything, when the batch has no room for it.

    // down: non-zero for a key press, zero for a release.
    void addKey(std::uint16_t virtualKey, std::int32_t down);
    // An absolute pointer move to screen pixel (x, y) of the primary screen. Throws Exception when
    // the system reports a screen width or height of 0.
    void addMoveTo(std::int32_t x, std::int32_t y);
    // A left-button press and release, wherever the pointer is.
    void addLeftClick();
    // All filled records, in one SendInput call.
    void send();

    static constexpr int capacity = 1000;

private:
    void requireRoom(int records) const;

    INPUT inputs[capacity];
    INPUT* cursor;
};
