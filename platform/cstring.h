// CString and the string helpers the program relies on. CString is a plain
// std::wstring: UTF-16 on Windows, UTF-32 on POSIX. The helpers mirror the
// operations of the framework string class the code is used to (Trim, MakeUpper,
// CompareNoCase, Replace); letter case and white space follow the C library's
// wide classification.
#pragma once

#include <string>
#include <vector>

using CString = std::wstring;
using CStringArray = std::vector<CString>;

// Removes white space (iswspace) from both ends of s; returns s.
CString& TrimString(CString& s);
CString Trimmed(const CString& s);

CString& MakeUpper(CString& s);
CString& MakeLower(CString& s);
CString ToUpper(const CString& s);
CString ToLower(const CString& s);

// <0, 0, >0 like wcscmp after folding both texts to lower case.
int CompareNoCase(const CString& a, const CString& b);

// Replaces every occurrence of from (case-sensitive, left to right, no overlap)
// by to; returns the number of replacements. An empty from replaces nothing.
int ReplaceAll(CString& s, const CString& from, const CString& to);

// Removes every occurrence of what; returns the number removed.
int RemoveAll(CString& s, const CString& what);
