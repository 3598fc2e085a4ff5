#include "text/hex.h"

#include <sstream>

#include "platform/encoding.h"
#include "text/format.h"
#include "text/tokens.h"

namespace {
const size_t kNarrowBuffer = 128;  // bytes, with the closing zero
const wchar_t kSeparators[] = L" -:,./\r\n";
}  // namespace

const CString HexToString(const uint8_t* bytes, long count) {
  CString text;
  if (bytes == nullptr) return text;
  for (long i = 0; i < count; ++i) text += Format(L"%02X ", bytes[i]);
  return text;
}

long StringToHex(const CString& text, uint8_t* buffer, long capacity) {
  CString rest = text;
  for (const wchar_t* p = kSeparators; *p; ++p) RemoveAll(rest, CString(1, *p));
  long count = 0;
  while (!rest.empty()) {
    const unsigned long value = GetHexValue(GetLeftToken(rest, 2));
    if (count >= capacity) break;
    buffer[count++] = static_cast<uint8_t>(value & 0xFF);
  }
  return count;
}

unsigned long GetHexValue(const CString& text) {
  // The buffer's 127 characters are cut before narrowing, not its bytes
  // after: only white space may precede the number, and it and the digits
  // are one byte a character, so the number read is the same either way.
  std::istringstream in(NarrowToAnsi(text.substr(0, kNarrowBuffer - 1)));
  uint32_t value = 0;
  if (!(in >> std::hex >> value)) return 0;
  return value;
}
