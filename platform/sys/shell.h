// Handing files and folders to the desktop: the shell's "open", the text
// editor, and the text files written for it.
// Windows: ShellExecuteW, WinExec("notepad.exe ..."). POSIX: xdg-open started
// with posix_spawnp (no shell); the caller does not wait, and the child is
// reaped when it ends. A missing program does nothing.
#pragma once

#include <string>

#include "platform/cstring.h"

struct IUnknown;

// Loads the shell library and returns its module handle (Windows), or null
// (POSIX, or when it cannot be loaded). Every call loads it again.
void* LoadShellLibrary();

// Releases a shell interface pointer (Windows). POSIX has none to release.
void ReleaseShellInterface(IUnknown* pInterface);

// Opens path with the verb "open" on behalf of the window hwndParent (may be
// null), shown normally. Reports nothing.
void ShellOpen(void* hwndParent, const CString& path);

// Starts the system text editor on path and returns without waiting.
// Windows: "notepad.exe " followed by the ANSI path, unquoted. False when it
// cannot be started.
bool StartTextEditor(const CString& path);

// Creates or truncates path and writes bytes through an 8-bit text stream
// with no sharing restriction: Windows writes every "\n" as CR LF, POSIX as
// it is. Returns false when the file cannot be created or written.
bool WriteTextModeFile(const CString& path, const std::string& bytes);

// What a text stream writes for "\n": "\r\n" on Windows, "\n" on POSIX.
const char* TextModeLineEnd();
