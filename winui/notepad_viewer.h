// ShowInNotepad: shows a text in the system text editor through a file in
// the temporary folder. The file is never deleted; the next call with the
// same name overwrites it.
#pragma once

#include "platform/api.h"
#include "platform/combstr.h"
#include "platform/cstring.h"

// Writes text to GetTempPathW() + fileName ("Info.txt" when fileName is
// empty) in the 8-bit file encoding, every carriage return replaced by a
// blank, through a text stream (Windows: each line feed becomes CR LF; POSIX:
// line feeds stay). Returns the file's path, also when it could not be
// written.
VELMORA_API CString WriteNotepadFile(const CString& text, const CString& fileName);

// WriteNotepadFile, then starts the editor on that path without waiting
// (Windows: "notepad.exe " + path, unquoted; POSIX: xdg-open). Reports
// nothing: a file that cannot be written or an editor that cannot start
// leaves no trace.
VELMORA_API void ShowInNotepad(const CString& text, const CString& fileName);
VELMORA_API void ShowInNotepad(const CComBSTR& text);
