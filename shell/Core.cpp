#include "shell/Core.h"

#include "platform/int_to_str.h"
#include "platform/mouse.h"
#include "run/entry_run.h"

TCore* Core = nullptr;

void TCore::execClick(TObject*) {
    runEntry(Handle(), RecordedPositions{firstPosX, firstPosY, nextPosX, nextPosY});
}

// The position is read at the press: the user rests the pointer on the target and presses the
// focused button with Space or Enter.
void TCore::getFirstXYClick(TObject*) {
    const POINT position = Mouse.CursorPos();
    firstPosX = position.x;
    firstPosY = position.y;
    firstX.SetText(IntToStr(firstPosX));
    firstY.SetText(IntToStr(firstPosY));
}

void TCore::getNextXYClick(TObject*) {
    const POINT position = Mouse.CursorPos();
    nextPosX = position.x;
    nextPosY = position.y;
    nextX.SetText(IntToStr(nextPosX));
    nextY.SetText(IntToStr(nextPosY));
}
