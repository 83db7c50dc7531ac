// The seam: every place where the tool touches the system. Two implementations are chosen at link
// time: system_win32.cpp (the real calls) and system_sim.cpp (an in-memory system that records
// every operation, for the native tests). Nothing else in the tool calls the system for these.
#pragma once

#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace sys {

// Full path of the running executable, file name included (GetModuleFileNameA).
std::string moduleFileName();

// True only for an existing file; a folder of that name counts as absent.
bool fileExists(const std::string& path);

// Reads the whole file into `content`, opened for reading with sharing that refuses other
// writers. False when the file cannot be opened (missing, a folder, or held open for writing).
bool readFileDenyingWriters(const std::string& path, std::string& content);

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT style);

UINT sendInput(UINT count, INPUT* inputs, int recordSize);
UINT mapVirtualKey(UINT code, UINT mapType);
int systemMetrics(int index);

bool openClipboard(HWND owner);
bool emptyClipboard();
// Stores `bytes` (which must end in its NUL) as the clipboard's data in `format`.
bool setClipboardData(UINT format, std::string_view bytes);
bool closeClipboard();

// A wait of the run: blocks the calling thread, nothing is processed meanwhile.
void sleep(DWORD milliseconds);
// A short pause between two tries of a system call that another program can make fail for a
// moment; kept apart from sleep() so that the trace tells it from the run's own waits.
void retryPause(DWORD milliseconds);

bool cursorPos(POINT& position);

DWORD lastError();
// The system's text for an error code (FormatMessageA), without the trailing line break.
std::string errorText(DWORD code);

}  // namespace sys
