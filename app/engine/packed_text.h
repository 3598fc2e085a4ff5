// Text held in as few bytes as it needs: what a restore keeps of every
// record of a batch. A CString takes four bytes a character on Linux; a
// packed one takes one for ASCII, so a plan of a big batch costs about as
// many bytes as its names and paths have characters.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cstring.h"

// Each character's value in the form UTF-8 gives a number (one byte below
// 0x80, up to seven for any 32-bit value), also for values UTF-8 has no
// character for (a lone surrogate, a path byte kept as itself). Lossless,
// never holds a NUL byte for a text without one, and packed texts compare
// (as unsigned bytes) in the order of the texts' character values.
std::string PackText(const CString& text);
// The text PackText was given.
CString UnpackText(std::string_view packed);

// Packed texts kept in place until the store goes, in blocks of 64 KiB: a
// text costs its bytes and no more, and no view of one is ever moved
// (moving the store keeps them valid too).
class CPackedStore {
 public:
  CPackedStore() = default;
  // A store moved from is empty, and what it keeps later is its own.
  CPackedStore(CPackedStore&& other) noexcept;
  CPackedStore& operator=(CPackedStore&& other) noexcept;

  // A view of a copy of packed, valid while the store lives.
  std::string_view Keep(std::string_view packed);
  // Keep(PackText(text)).
  std::string_view Pack(const CString& text);

 private:
  std::vector<std::unique_ptr<char[]>> m_blocks;
  char* m_pFree = nullptr;  // the unused end of the last block
  size_t m_nFree = 0;
};
