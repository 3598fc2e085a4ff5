// The system's message text for an error code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/cstring.h"

// Language ids of the lookup: 0 lets the system choose (neutral, then the
// thread's, the user's and the system's language); kSystemDefaultLanguage is
// the neutral language with the system-default sub-language.
const uint32_t kAnyLanguage = 0;
const uint32_t kSystemDefaultLanguage = 0x800;

// Stores the system's message text for code, as the system gives it (a
// Windows text usually ends with CR LF), and returns true. bufferChars > 0
// is the size of the buffer the text must fit in with its closing zero;
// 0 lets the system allocate one of any size. Returns false, with text
// empty, when there is no text for the code or it does not fit.
// Windows: FormatMessageW from the system table; insert sequences (%1) are
// kept as written, since no arguments are passed. POSIX: strerror for the
// Windows codes that have an errno counterpart (also as FACILITY_WIN32
// HRESULTs, 8007xxxx), none for the others; the language is ignored.
bool FormatSystemMessage(uint32_t code, uint32_t languageId, size_t bufferChars, CString& text);
