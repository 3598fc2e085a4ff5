// The local clock, the file-time clock and a monotonic one for pacing.
// Batch folder names and log stamps depend on the current local time, the
// age of a file (--older-than) on the file-time clock; redraws are paced by
// the monotonic clock. Tests pin them (clock_hooks.h) instead
// of sleeping.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/cstring.h"
#include "platform/fs/file_time.h"

struct CLocalTime {
  int nYear = 0;    // e.g. 2026
  int nMonth = 0;   // 1..12
  int nDay = 0;     // 1..31
  int nHour = 0;    // 0..23
  int nMinute = 0;  // 0..59
  int nSecond = 0;  // 0..60
};

// The current local time to the second. Returns false when the current time
// cannot be converted to a calendar date.
bool GetLocalTimeNow(CLocalTime& out);

// Formats t with a wcsftime pattern into a buffer of 256 wide characters;
// returns false (and an empty out) when the result does not fit or the
// fields do not form a date.
bool FormatLocalTime(const CLocalTime& t, const wchar_t* pattern, CString& out);

// The real clock of the platform; used by GetLocalTimeNow when not pinned.
bool PlatformLocalTime(CLocalTime& out);

// The calendar fields of a C library time.
CLocalTime LocalTimeFromTm(const std::tm& tm);

// The current time as a file time (file_time.h): the clock the file
// system stamps files by, in UTC, so that it compares with the times of a
// CFileFind entry.
CFileTime GetFileTimeNow();

// The real clock; used by GetFileTimeNow when not pinned.
CFileTime PlatformFileTimeNow();

// Milliseconds of a clock that never goes back and ignores changes of the
// local time; only differences between two readings mean anything.
int64_t GetMonotonicMilliseconds();

// The real monotonic clock; used by GetMonotonicMilliseconds when not pinned.
int64_t PlatformMonotonicMilliseconds();

// CRateLimit: lets something happen at most once per interval of the
// monotonic clock, such as redrawing what changes faster than anyone can
// read it.
class CRateLimit {
 public:
  explicit CRateLimit(int64_t intervalMs);

  // True when nothing has passed yet, the last pass lies at least one
  // interval back, or the clock went back (a test lifted its pin); the
  // interval then starts again.
  bool Pass();

 private:
  int64_t m_nInterval;
  bool m_bPassed = false;
  int64_t m_nLastPass = 0;  // when the last pass was, if m_bPassed
};
