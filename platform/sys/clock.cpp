#include "platform/sys/clock.h"

#include "platform/sys/clock_hooks.h"

#include <ctime>
#include <cwchar>

namespace {
enum class Pin { kNone, kTime, kInvalid };
Pin g_pin = Pin::kNone;
CLocalTime g_pinned;
bool g_bFileTimePinned = false;
CFileTime g_fileTimePinned;
bool g_bMonotonicPinned = false;
int64_t g_nMonotonicPinned = 0;
}  // namespace

void PinClockForTesting(const CLocalTime& t) {
  g_pin = Pin::kTime;
  g_pinned = t;
}
void PinInvalidClockForTesting() { g_pin = Pin::kInvalid; }
void UnpinClockForTesting() { g_pin = Pin::kNone; }

void PinFileTimeNowForTesting(const CFileTime& t) {
  g_bFileTimePinned = true;
  g_fileTimePinned = t;
}
void UnpinFileTimeNowForTesting() { g_bFileTimePinned = false; }

CFileTime GetFileTimeNow() { return g_bFileTimePinned ? g_fileTimePinned : PlatformFileTimeNow(); }

void PinMonotonicClockForTesting(int64_t ms) {
  g_bMonotonicPinned = true;
  g_nMonotonicPinned = ms;
}
void UnpinMonotonicClockForTesting() { g_bMonotonicPinned = false; }

bool GetLocalTimeNow(CLocalTime& out) {
  switch (g_pin) {
    case Pin::kTime: out = g_pinned; return true;
    case Pin::kInvalid: return false;
    default: return PlatformLocalTime(out);
  }
}

bool FormatLocalTime(const CLocalTime& t, const wchar_t* pattern, CString& out) {
  out.clear();
  if (t.nMonth < 1 || t.nMonth > 12 || t.nDay < 1 || t.nDay > 31 || t.nHour < 0 || t.nHour > 23 ||
      t.nMinute < 0 || t.nMinute > 59 || t.nSecond < 0 || t.nSecond > 60)
    return false;
  std::tm tm{};
  tm.tm_year = t.nYear - 1900;
  tm.tm_mon = t.nMonth - 1;
  tm.tm_mday = t.nDay;
  tm.tm_hour = t.nHour;
  tm.tm_min = t.nMinute;
  tm.tm_sec = t.nSecond;
  tm.tm_isdst = -1;
  wchar_t buffer[256] = {0};
  if (std::wcsftime(buffer, 256, pattern, &tm) == 0 && pattern[0] != L'\0') return false;
  out = buffer;
  return true;
}

CLocalTime LocalTimeFromTm(const std::tm& tm) {
  CLocalTime t;
  t.nYear = tm.tm_year + 1900;
  t.nMonth = tm.tm_mon + 1;
  t.nDay = tm.tm_mday;
  t.nHour = tm.tm_hour;
  t.nMinute = tm.tm_min;
  t.nSecond = tm.tm_sec;
  return t;
}

int64_t GetMonotonicMilliseconds() {
  return g_bMonotonicPinned ? g_nMonotonicPinned : PlatformMonotonicMilliseconds();
}

CRateLimit::CRateLimit(int64_t intervalMs) : m_nInterval(intervalMs) {}

bool CRateLimit::Pass() {
  const int64_t now = GetMonotonicMilliseconds();
  if (m_bPassed && now >= m_nLastPass && now - m_nLastPass < m_nInterval) return false;
  m_bPassed = true;
  m_nLastPass = now;
  return true;
}
