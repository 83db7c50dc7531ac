#include "shell/core_layout.h"

#include "shell/Core.h"
#include "texts_cp932.h"

namespace {

constexpr COLORREF clGreen = RGB(0, 128, 0);
constexpr COLORREF clBlue = RGB(0, 0, 255);
constexpr COLORREF clRed = RGB(255, 0, 0);

// Labels carry their own bold font in their row's colour; the buttons and edit boxes show the
// window's font (getFirstXY's own font has the window's values). The edit boxes take no Tab stop
// but stay editable: what is typed there is never read.
constexpr ControlSpec coreControls[] = {
    {.member = control<&TCore::Label1>(), .id = 1021, .left = 316, .top = 20, .width = 8, .height = 12,
     .caption = "X", .font = ControlFont::bold, .textColor = clGreen},
    {.member = control<&TCore::Label2>(), .id = 1022, .left = 396, .top = 20, .width = 8, .height = 12,
     .caption = "Y", .font = ControlFont::bold, .textColor = clGreen},
    {.member = control<&TCore::Label3>(), .id = 1023, .left = 316, .top = 60, .width = 8, .height = 12,
     .caption = "X", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label4>(), .id = 1024, .left = 396, .top = 60, .width = 8, .height = 12,
     .caption = "Y", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label5>(), .id = 1025, .left = 8, .top = 20, .width = 58, .height = 12,
     .caption = "STEP1 >>", .font = ControlFont::bold, .textColor = clGreen,
     .backgroundColor = COLOR_BTNFACE},
    {.member = control<&TCore::Label6>(), .id = 1026, .left = 8, .top = 60, .width = 58, .height = 12,
     .caption = "STEP2 >>", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label7>(), .id = 1027, .left = 8, .top = 100, .width = 58, .height = 12,
     .caption = "STEP3 >>", .font = ControlFont::bold, .textColor = clRed},
    {.member = control<&TCore::exec>(), .id = core_ids::exec, .left = 72, .top = 88, .width = 233,
     .height = 33, .caption = texts::execCaption, .tabOrder = 3, .tabStop = true,
     .onClick = handler<&TCore::execClick>()},
    {.member = control<&TCore::getFirstXY>(), .id = core_ids::getFirstXY, .left = 72, .top = 8,
     .width = 233, .height = 33, .caption = texts::getFirstXYCaption, .tabOrder = 1, .tabStop = true,
     .onClick = handler<&TCore::getFirstXYClick>()},
    {.member = control<&TCore::getNextXY>(), .id = core_ids::getNextXY, .left = 72, .top = 48,
     .width = 233, .height = 33, .caption = texts::getNextXYCaption, .tabOrder = 2, .tabStop = true,
     .onClick = handler<&TCore::getNextXYClick>()},
    {.member = control<&TCore::firstX>(), .id = core_ids::firstX, .left = 332, .top = 16, .width = 57,
     .height = 20, .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 0},
    {.member = control<&TCore::firstY>(), .id = core_ids::firstY, .left = 412, .top = 16, .width = 57,
     .height = 20, .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 4},
    {.member = control<&TCore::nextX>(), .id = core_ids::nextX, .left = 332, .top = 56, .width = 57,
     .height = 20, .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 5},
    {.member = control<&TCore::nextY>(), .id = core_ids::nextY, .left = 412, .top = 56, .width = 57,
     .height = 20, .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 6},
};

constexpr FormSpec coreForm{
    .className = "TCore",
    .caption = "Zorvel",
    .left = 9,
    .top = 9,
    .width = 488,
    .height = 157,
    .stayOnTop = true,
    .backgroundColor = COLOR_BTNFACE,
    .fontFace = texts::uiFontFace,
    .fontHeight = -12,
    .fontCharset = SHIFTJIS_CHARSET,
    .controls = coreControls,
};

}  // namespace

const FormSpec& formLayout(const TCore&) { return coreForm; }
