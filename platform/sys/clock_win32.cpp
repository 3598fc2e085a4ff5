#include <time.h>
#include <windows.h>

#include "platform/sys/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const __time64_t now = ::_time64(nullptr);
  struct tm tm {};
  if (now < 0 || ::_localtime64_s(&tm, &now) != 0) return false;
  out = LocalTimeFromTm(tm);
  return true;
}

CFileTime PlatformFileTimeNow() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return CFileTime(CFileTimeHalves{now.dwLowDateTime, now.dwHighDateTime});
}

int64_t PlatformMonotonicMilliseconds() { return static_cast<int64_t>(::GetTickCount64()); }
