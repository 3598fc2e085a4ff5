#include "platform/sys/guid.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>

namespace {

bool RandomBytes(unsigned char* bytes, size_t count) {
  size_t got = 0;
  while (got < count) {
    const ssize_t n = getrandom(bytes + got, count - got, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

CString NewGuidText() {
  unsigned char b[16];
  if (!RandomBytes(b, sizeof(b))) return CString();
  b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);  // version 4: random
  b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
  wchar_t text[39];
  swprintf(text, 39, L"{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[0], b[1], b[2],
           b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return CString(text);
}
