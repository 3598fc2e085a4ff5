#include <time.h>

#include "platform/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const __time64_t now = ::_time64(nullptr);
  struct tm tm {};
  if (now < 0 || ::_localtime64_s(&tm, &now) != 0) return false;
  out.nYear = tm.tm_year + 1900;
  out.nMonth = tm.tm_mon + 1;
  out.nDay = tm.tm_mday;
  out.nHour = tm.tm_hour;
  out.nMinute = tm.tm_min;
  out.nSecond = tm.tm_sec;
  return true;
}
