#include <time.h>

#include "platform/sys/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const time_t now = ::time(nullptr);
  struct tm tm {};
  if (now == static_cast<time_t>(-1) || ::localtime_r(&now, &tm) == nullptr) return false;
  out = LocalTimeFromTm(tm);
  return true;
}

int64_t PlatformMonotonicMilliseconds() {
  struct timespec now {};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
