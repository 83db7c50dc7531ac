// The few Windows types and constants the tool's code uses. On Windows they are MinGW's own;
// elsewhere (the simulated system of the native tests) they are defined here from the documented
// x64 layout, with fixed-width types, and the layout is checked below on both.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using ULONG_PTR = std::uint64_t;
// The name Windows gives the handle's hidden type.
using HWND = struct HWND__*;  // NOLINT(bugprone-reserved-identifier)

struct POINT {
    LONG x;
    LONG y;
};

struct MOUSEINPUT {
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct KEYBDINPUT {
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct HARDWAREINPUT {
    DWORD uMsg;
    WORD wParamL;
    WORD wParamH;
};

struct INPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
        HARDWAREINPUT hi;
    };
};

inline constexpr DWORD INPUT_MOUSE = 0;
inline constexpr DWORD INPUT_KEYBOARD = 1;
inline constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x0001;
inline constexpr DWORD KEYEVENTF_KEYUP = 0x0002;
inline constexpr DWORD KEYEVENTF_UNICODE = 0x0004;
inline constexpr DWORD KEYEVENTF_SCANCODE = 0x0008;
inline constexpr DWORD MOUSEEVENTF_MOVE = 0x0001;
inline constexpr DWORD MOUSEEVENTF_LEFTDOWN = 0x0002;
inline constexpr DWORD MOUSEEVENTF_LEFTUP = 0x0004;
inline constexpr DWORD MOUSEEVENTF_VIRTUALDESK = 0x4000;
inline constexpr DWORD MOUSEEVENTF_ABSOLUTE = 0x8000;
inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr int IDOK = 1;
inline constexpr UINT CF_TEXT = 1;

#endif

// SendInput takes the records as they lie in memory: the layout must be the x64 one.
static_assert(sizeof(MOUSEINPUT) == 32);
static_assert(offsetof(MOUSEINPUT, dx) == 0 && offsetof(MOUSEINPUT, dy) == 4);
static_assert(offsetof(MOUSEINPUT, mouseData) == 8 && offsetof(MOUSEINPUT, dwFlags) == 12);
static_assert(offsetof(MOUSEINPUT, time) == 16 && offsetof(MOUSEINPUT, dwExtraInfo) == 24);
static_assert(sizeof(KEYBDINPUT) == 24);
static_assert(offsetof(KEYBDINPUT, wVk) == 0 && offsetof(KEYBDINPUT, wScan) == 2);
static_assert(offsetof(KEYBDINPUT, dwFlags) == 4 && offsetof(KEYBDINPUT, time) == 8);
static_assert(offsetof(KEYBDINPUT, dwExtraInfo) == 16);
static_assert(sizeof(HARDWAREINPUT) == 8);
static_assert(sizeof(INPUT) == 40);
static_assert(offsetof(INPUT, type) == 0 && offsetof(INPUT, mi) == 8 && offsetof(INPUT, ki) == 8);
static_assert(sizeof(POINT) == 8);
