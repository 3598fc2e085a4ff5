// Bytes as hexadecimal text and back.
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"

// Each of the first count bytes as two upper-case hex digits and a blank
// ("0A 1B FF "). Empty when count <= 0 or bytes is null.
VELMORA_API const CString HexToString(const uint8_t* bytes, long count);

// Reads text as hex pairs into buffer and returns the number of bytes
// stored, at most capacity: blanks and - : , . / CR LF are dropped first,
// then every two characters (one, when only one is left) give one byte,
// the low 8 bits of their GetHexValue (so "zz" stores 0). Stops when the
// buffer is full. REQUIRES: capacity is no larger than buffer.
VELMORA_API long StringToHex(const CString& text, uint8_t* buffer, long capacity);

// The unsigned 32-bit hexadecimal number at the start of text: leading
// white space skipped, an optional 0x or 0X, digits in either case, up to
// the first character that is not a digit. 0 when there is none or it does
// not fit in 32 bits. Only the first 127 bytes of the text in the 8-bit
// encoding are read (a buffer of 128 with its closing zero). Also where long
// is 64 bits wide, a number above 32 bits gives 0.
VELMORA_API unsigned long GetHexValue(const CString& text);
