// Windows only: the form of a path that reaches the file system exactly as
// it is written. Windows normalises a plain path before any file-system call:
// it drops a trailing dot or blank from each name, takes device names (CON,
// NUL, COM1, ...) for the devices, and stops at 260 characters. The "\\?\"
// form turns all of that off, so every file-system call of the Win32 layer
// passes its path through LongPathOf; texts shown to the user and written to
// the log keep the plain form.
#pragma once

#include "platform/cstring.h"

// The "\\?\" form of a full path: "\\?\C:\src\a.obj" for "C:\src\a.obj",
// "\\?\UNC\server\share\a" for "\\server\share\a". Every name is kept as it
// is; "/" becomes "\", and empty, "." and ".." parts are resolved in the text
// as Windows resolves them in a plain path ("C:\a\.\b\..\" is "C:\a"; ".."
// never climbs above the drive or the share). A path already in that form, a
// device path ("\\.\"), and a path that is not full (relative, "C:src",
// "\src", a lone "\\server") come back unchanged.
CString LongPathOf(const CString& path);

// True when path starts with a drive letter, a colon and a separator
// ("C:\src", "c:/src").
bool IsDriveLetterPath(const CString& path);
