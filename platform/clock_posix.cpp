#include <time.h>

#include "platform/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const time_t now = ::time(nullptr);
  struct tm tm {};
  if (now == static_cast<time_t>(-1) || ::localtime_r(&now, &tm) == nullptr) return false;
  out.nYear = tm.tm_year + 1900;
  out.nMonth = tm.tm_mon + 1;
  out.nDay = tm.tm_mday;
  out.nHour = tm.tm_hour;
  out.nMinute = tm.tm_min;
  out.nSecond = tm.tm_sec;
  return true;
}
