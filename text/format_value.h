// Numbers as display text: digits grouped by commas, or a byte count with a
// unit (B, KB, MB, GB).
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/large_integer.h"

// text with a comma inserted before its last 3 characters, then (counting
// the new length) before the last 7, 11 and 15, each only while the text is
// longer than that: at most four commas, so 16 to 20 digits keep their
// extra leading digits in the first group (18446744,073,709,551,615). A
// leading "-" stays in front and is not counted (-123,456, not -,123,456).
// The bool is ignored.
VELMORA_API CString FormatValue(const CString& text, bool);

// The value in decimal, grouped as above. The bool is ignored: never a unit.
// int and unsigned int take a caller's literals and UINT values, which would
// otherwise be ambiguous between long and the 64-bit pair.
VELMORA_API CString FormatValue(int value, bool);
VELMORA_API CString FormatValue(unsigned int value, bool);
VELMORA_API CString FormatValue(long value, bool);
VELMORA_API CString FormatValue(unsigned long value, bool);

// bAsSize false: the value in decimal, grouped as above. bAsSize true: the
// value as a size with one decimal and no grouping, by the first rule that
// holds: above 2^30 "%.1f GB" of value / 2^30, above 2^20 "%.1f MB", above
// 1024 "%.1f KB", else "%.1f   B" (three blanks) of the value itself. So
// 1024 gives "1024.0   B", 1025 "1.0 KB"; a negative value is in bytes.
// The 64-bit pair is spelled long long (__int64 and ULONGLONG on Windows):
// on Linux int64_t is long, which is grouped and never a size.
VELMORA_API CString FormatValue(long long value, bool bAsSize);
VELMORA_API CString FormatValue(unsigned long long value, bool bAsSize);

// FormatValue of the value's 64-bit signed quantity.
VELMORA_API CString FormatValue(const LARGE_INTEGER& value, bool bAsSize);
