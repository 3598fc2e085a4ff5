#include <time.h>

#include "platform/sys/clock.h"

bool PlatformLocalTime(CLocalTime& out) {
  const time_t now = ::time(nullptr);
  struct tm tm {};
  if (now == static_cast<time_t>(-1) || ::localtime_r(&now, &tm) == nullptr) return false;
  out = LocalTimeFromTm(tm);
  return true;
}

CFileTime PlatformFileTimeNow() {
  struct timespec now {};
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0 || now.tv_sec < 0) return CFileTime();
  return CFileTime(CFileTime::kUnixEpoch + static_cast<uint64_t>(now.tv_sec) * CFileTime::kSecond +
                   static_cast<uint64_t>(now.tv_nsec) / 100);
}

int64_t PlatformMonotonicMilliseconds() {
  struct timespec now {};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
