// Token functions: each consumes the string variable s from its front and
// returns the piece it took. Any one character of `delimiters` ends a piece.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"

// The text before the first delimiter (all of s when there is none); s keeps
// what follows that delimiter. Empty when s begins with a delimiter.
VELMORA_API CString GetNextToken(CString& s, const CString& delimiters);

// Like GetNextToken, but skips empty pieces; returns an empty string (and
// leaves s empty) when only delimiters were left.
VELMORA_API CString GetToken(CString& s, const CString& delimiters);

// The first n characters of s (all of s when it is shorter); s keeps the
// rest. n <= 0 takes nothing and leaves s unchanged.
VELMORA_API CString GetLeftToken(CString& s, int n);

// The text before the first occurrence of the whole delimiter in s, and s
// keeps what follows it. No occurrence: empty, s unchanged. An occurrence
// that ends s leaves s unchanged. (Exported as CObj::LeftToken.)
CString LeftToken(CString& s, const CString& delimiter);
