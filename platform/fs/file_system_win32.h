// Windows only: what the files of the Win32 layer share with
// file_system_win32.cpp.
#pragma once

// Records the outcome of a call for PlatformLastError(): GetLastError() on
// failure, 0 on success. Returns ok.
bool RecordWin32Result(bool ok);
