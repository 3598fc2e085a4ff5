#include "app/engine/packed_text.h"

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace {

// The number of bytes after the first for value, and the first byte's mark.
int TrailBytes(uint64_t value, unsigned char& mark) {
  static const uint32_t kLimits[] = {0x80, 0x800, 0x10000, 0x200000, 0x4000000, 0x80000000};
  static const unsigned char kMarks[] = {0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
  int n = 0;
  while (n < 6 && value >= kLimits[n]) ++n;
  mark = kMarks[n];
  return n;
}

}  // namespace

std::string PackText(const CString& text) {
  std::string packed;
  packed.reserve(text.size());
  for (const wchar_t c : text) {
    const uint64_t value = static_cast<std::make_unsigned_t<wchar_t>>(c);
    unsigned char mark = 0;
    const int trail = TrailBytes(value, mark);
    packed += static_cast<char>(mark | (value >> (6 * trail)));
    for (int i = trail - 1; i >= 0; --i) packed += static_cast<char>(0x80 | ((value >> (6 * i)) & 0x3F));
  }
  return packed;
}

CString UnpackText(std::string_view packed) {
  CString text;
  for (size_t i = 0; i < packed.size();) {
    const unsigned char lead = static_cast<unsigned char>(packed[i++]);
    int trail = 0;
    while ((lead & 0x80) && (lead & (0x40 >> trail))) ++trail;  // at most 7, for 0xFF
    uint32_t value = trail == 0 ? lead : lead & (0x3Fu >> trail);
    for (int k = 0; k < trail && i < packed.size(); ++k) value = (value << 6) | (packed[i++] & 0x3F);
    text += static_cast<wchar_t>(value);
  }
  return text;
}

CPackedStore::CPackedStore(CPackedStore&& other) noexcept { *this = std::move(other); }

CPackedStore& CPackedStore::operator=(CPackedStore&& other) noexcept {
  m_blocks = std::move(other.m_blocks);
  other.m_blocks.clear();
  m_pFree = std::exchange(other.m_pFree, nullptr);
  m_nFree = std::exchange(other.m_nFree, 0);
  return *this;
}

std::string_view CPackedStore::Keep(std::string_view packed) {
  const size_t kBlock = 64 * 1024;
  if (packed.empty()) return std::string_view();
  if (packed.size() > m_nFree) {
    const size_t size = packed.size() > kBlock ? packed.size() : kBlock;
    m_blocks.emplace_back(new char[size]);
    m_pFree = m_blocks.back().get();
    m_nFree = size;
  }
  std::memcpy(m_pFree, packed.data(), packed.size());
  const std::string_view kept(m_pFree, packed.size());
  m_pFree += packed.size();
  m_nFree -= packed.size();
  return kept;
}

std::string_view CPackedStore::Pack(const CString& text) { return Keep(PackText(text)); }
