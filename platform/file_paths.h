// Paths and files of the stand-in class library.
#pragma once

#include <string>
#include <string_view>

// The full path of the running executable, file name included.
std::string ExecutablePath();

// The folder part of a Windows path: everything before the last backslash, unless that backslash
// is the path's first character or follows another separator (a backslash or a colon), in which
// case (and for a last separator that is a colon) everything up to and including it, so that the
// root of a drive keeps its backslash ("C:\Zorvel.exe" gives "C:\"). The path is read as code
// page 932 characters: the second byte of a double-byte character is never a separator, even
// when it is 0x5C. A path without a separator has no folder part: the result is empty.
std::string ExtractFileDir(std::string_view path);

// True only for an existing file; a folder of that name counts as absent.
bool FileExists(const std::string& path);
