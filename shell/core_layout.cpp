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
// clang-format off
constexpr ControlLayout coreControls[] = {
    {.member = control<&TCore::Label1>(), .id = core_ids::Label1, .bounds = {316, 20, 8, 12},
     .caption = "X", .font = ControlFont::bold, .textColor = clGreen},
    {.member = control<&TCore::Label2>(), .id = core_ids::Label2, .bounds = {396, 20, 8, 12},
     .caption = "Y", .font = ControlFont::bold, .textColor = clGreen},
    {.member = control<&TCore::Label3>(), .id = core_ids::Label3, .bounds = {316, 60, 8, 12},
     .caption = "X", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label4>(), .id = core_ids::Label4, .bounds = {396, 60, 8, 12},
     .caption = "Y", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label5>(), .id = core_ids::Label5, .bounds = {8, 20, 58, 12},
     .caption = "STEP1 >>", .font = ControlFont::bold, .textColor = clGreen,
     .backgroundColor = COLOR_BTNFACE},
    {.member = control<&TCore::Label6>(), .id = core_ids::Label6, .bounds = {8, 60, 58, 12},
     .caption = "STEP2 >>", .font = ControlFont::bold, .textColor = clBlue},
    {.member = control<&TCore::Label7>(), .id = core_ids::Label7, .bounds = {8, 100, 58, 12},
     .caption = "STEP3 >>", .font = ControlFont::bold, .textColor = clRed},
    {.member = control<&TCore::exec>(), .id = core_ids::exec, .bounds = {72, 88, 233, 33},
     .caption = texts::execCaption, .tabOrder = 3, .tabStop = true,
     .onClick = handler<&TCore::execClick>()},
    {.member = control<&TCore::getFirstXY>(), .id = core_ids::getFirstXY,
     .bounds = {72, 8, 233, 33}, .caption = texts::getFirstXYCaption,
     .tabOrder = 1, .tabStop = true,
     .onClick = handler<&TCore::getFirstXYClick>()},
    {.member = control<&TCore::getNextXY>(), .id = core_ids::getNextXY,
     .bounds = {72, 48, 233, 33}, .caption = texts::getNextXYCaption,
     .tabOrder = 2, .tabStop = true,
     .onClick = handler<&TCore::getNextXYClick>()},
    {.member = control<&TCore::firstX>(), .id = core_ids::firstX, .bounds = {332, 16, 57, 20},
     .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 0},
    {.member = control<&TCore::firstY>(), .id = core_ids::firstY, .bounds = {412, 16, 57, 20},
     .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 4},
    {.member = control<&TCore::nextX>(), .id = core_ids::nextX, .bounds = {332, 56, 57, 20},
     .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 5},
    {.member = control<&TCore::nextY>(), .id = core_ids::nextY, .bounds = {412, 56, 57, 20},
     .backgroundColor = COLOR_SCROLLBAR, .tabOrder = 6},
};
// clang-format on

constexpr FormLayout coreForm{
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

const FormLayout& formLayout(const TCore&) { return coreForm; }
