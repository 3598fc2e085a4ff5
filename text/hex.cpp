#include "text/hex.h"

#include <sstream>

#include "platform/encoding.h"
#include "text/format.h"
#include "text/tokens.h"

namespace {
const size_t kNarrowBuffer = 128;  // bytes, with the closing zero
const wchar_t kSeparators[] = L" -:,./\r\n";
}  // namespace

const CString HexToString(const uint8_t* bytes, int32_t count) {
  CString text;
  if (bytes == nullptr) return text;
  for (int32_t i = 0; i < count; ++i) text += Format(L"%02X ", bytes[i]);
  return text;
}

int32_t StringToHex(const CString& text, uint8_t* buffer, int32_t capacity) {
  CString rest = text;
  for (const wchar_t* p = kSeparators; *p; ++p) RemoveAll(rest, CString(1, *p));
  int32_t count = 0;
  while (!rest.empty()) {
    const uint32_t value = GetHexValue(GetLeftToken(rest, 2));
    if (count >= capacity) break;
    buffer[count++] = static_cast<uint8_t>(value & 0xFF);
  }
  return count;
}

uint32_t GetHexValue(const CString& text) {
  // Every character takes at least one byte: more than the buffer's worth
  // of characters is never needed.
  std::string narrow = NarrowToAnsi(text.substr(0, kNarrowBuffer - 1));
  if (narrow.size() > kNarrowBuffer - 1) narrow.resize(kNarrowBuffer - 1);
  std::istringstream in(narrow);
  uint32_t value = 0;
  if (!(in >> std::hex >> value)) return 0;
  return value;
}
