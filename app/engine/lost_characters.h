// Names the Windows log could not hold whole: a character its code page
// lacks is written as '?', which no Windows name holds. A restore finds the
// item such a record stands for among the batch folder's entries.
#pragma once

#include "platform/cstring.h"

// Whether name fits pattern, each '?' of pattern standing for one
// character of name: one UTF-16 unit, or one surrogate pair where the code
// page wrote a pair as one '?'. On success lost holds what the '?'s stood
// for, in order.
bool FitsLostCharacters(const CString& pattern, const CString& name, CStringArray& lost);

// text with its '?'s replaced by lost, in order; false when their numbers
// differ.
bool FillLostCharacters(const CString& text, const CStringArray& lost, CString& filled);
