// The layout of the main window: its properties and its fourteen controls, as data.
#pragma once

#include "platform/forms_win32.h"

class TCore;

// Control ids, kept clear of IDOK and IDCANCEL, which the dialog navigation sends for Enter and
// Esc when no button has the focus.
namespace core_ids {
inline constexpr int getFirstXY = 1001;
inline constexpr int getNextXY = 1002;
inline constexpr int exec = 1003;
inline constexpr int firstX = 1011;
inline constexpr int firstY = 1012;
inline constexpr int nextX = 1013;
inline constexpr int nextY = 1014;
inline constexpr int Label1 = 1021;
inline constexpr int Label2 = 1022;
inline constexpr int Label3 = 1023;
inline constexpr int Label4 = 1024;
inline constexpr int Label5 = 1025;
inline constexpr int Label6 = 1026;
inline constexpr int Label7 = 1027;
}  // namespace core_ids

const FormLayout& formLayout(const TCore&);
