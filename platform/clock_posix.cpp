#include <time.h>

#include "platform/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const time_t now = ::time(nullptr);
  struct tm tm {};
  if (now == static_cast<time_t>(-1) || ::localtime_r(&now, &tm) == nullptr) return false;
  out = LocalTimeFromTm(tm);
  return true;
}
