// Paths as the run shows and logs them. Every name may come from someone
// else's files: a line break in a name must never start a line of the log
// or of the output, and a terminal's control codes must never reach it.
#pragma once

#include "platform/cstring.h"

// True for the characters a shown path never carries raw: C0 controls
// (CR, LF, NUL, ESC, ...), DEL and the C1 controls.
bool IsControlCharacter(wchar_t c);

// Whether path holds one of them. Such a path is never moved: its record
// could only hold it escaped, and a restore needs the exact path.
bool HoldsControlCharacter(const CString& path);

// path with each control character escaped: "\n", "\r", "\t", else "\xHH".
// A path without them comes back unchanged.
CString ShownPath(const CString& path);
