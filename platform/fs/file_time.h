// File times as the platform keeps them: counts of 100-nanosecond intervals
// since 1 January 1601 UTC. CFileTimeHalves has the layout of the Windows
// FILETIME (two unsigned 32-bit halves, low half first), so that metadata
// blocks keep the platform's layout; CFileTime is the same count as one
// 64-bit value. 0 means "not known".
#pragma once

#include <cstdint>

struct CFileTimeHalves {
  uint32_t dwLowDateTime = 0;
  uint32_t dwHighDateTime = 0;
};

class CFileTime {
 public:
  // 100-ns intervals between 1 January 1601 and 1 January 1970 (UTC).
  static constexpr uint64_t kUnixEpoch = 116444736000000000ULL;
  static constexpr uint64_t kSecond = 10000000ULL;

  constexpr CFileTime() = default;
  // Both convert implicitly, as the platform's file time does.
  constexpr CFileTime(uint64_t time) : m_nTime(time) {}
  constexpr CFileTime(const CFileTimeHalves& halves)
      : m_nTime((static_cast<uint64_t>(halves.dwHighDateTime) << 32) | halves.dwLowDateTime) {}

  constexpr uint64_t GetTime() const { return m_nTime; }
  void SetTime(uint64_t time) { m_nTime = time; }
  constexpr CFileTimeHalves GetHalves() const {
    return CFileTimeHalves{static_cast<uint32_t>(m_nTime), static_cast<uint32_t>(m_nTime >> 32)};
  }

  constexpr bool operator==(const CFileTime& o) const { return m_nTime == o.m_nTime; }
  constexpr bool operator!=(const CFileTime& o) const { return m_nTime != o.m_nTime; }
  constexpr bool operator<(const CFileTime& o) const { return m_nTime < o.m_nTime; }

 private:
  uint64_t m_nTime = 0;
};
