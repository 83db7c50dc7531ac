#include "shell/Core.h"

#include "platform/int_to_str.h"
#include "platform/mouse.h"
#include "run/entry_run.h"

TCore* Core = nullptr;

void TCore::execClick(TObject*) {
    runEntry(Handle(), RecordedPositions{firstPosX, firstPosY, nextPosX, nextPosY});
}

namespace {

// The position is read at the press: the user rests the pointer on the target and presses the
// focused button with Space or Enter. A failed read raises before either value is stored.
void recordPointer(std::int32_t& x, std::int32_t& y, TEdit& xBox, TEdit& yBox) {
    const POINT position = Mouse.CursorPos();
    x = position.x;
    y = position.y;
    xBox.SetText(IntToStr(x));
    yBox.SetText(IntToStr(y));
}

}  // namespace

void TCore::getFirstXYClick(TObject*) { recordPointer(firstPosX, firstPosY, firstX, firstY); }

void TCore::getNextXYClick(TObject*) { recordPointer(nextPosX, nextPosY, nextX, nextY); }
