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
// written; with no temporary folder (GetTempPathW is empty) it writes nothing
// and returns the empty string.
VELMORA_API CString WriteNotepadFile(const CString& text, const CString& fileName);

// WriteNotepadFile, then starts the editor on that path without waiting
// (Windows: "notepad.exe " + path, unquoted; POSIX: xdg-open). Returns false,
// and leaves no other trace, when there is no temporary folder, the file
// cannot be written (the editor is then not started) or the editor cannot
// start.
VELMORA_API bool ShowInNotepad(const CString& text, const CString& fileName);
VELMORA_API bool ShowInNotepad(const CComBSTR& text);
