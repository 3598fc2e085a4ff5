#include "platform/sys/process.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <vector>

#include "platform/posix_text.h"

CString GetProcessCurrentDirectory(size_t maxChars) {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return CString();
  CString dir = FromNativePath(std::string(buffer.data()));
  return dir.size() + 1 > maxChars ? CString() : dir;
}

CString GetProcessExecutablePath() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return CString();
  return FromNativePath(buffer.data(), static_cast<size_t>(n));
}

wchar_t PlatformPathSeparator() { return L'/'; }

size_t PlatformMaxPathChars() { return PATH_MAX; }

CString GetProcessEnvironmentVariable(const CString& name) {
  const char* value = ::getenv(ToNativePath(name).c_str());
  return value == nullptr ? CString() : FromNativePath(std::string(value));
}

bool SetProcessEnvironmentVariable(const CString& name, const CString& value) {
  return ::setenv(ToNativePath(name).c_str(), ToNativePath(value).c_str(), 1) == 0;
}

bool UnsetProcessEnvironmentVariable(const CString& name) { return ::unsetenv(ToNativePath(name).c_str()) == 0; }

CString LoadProcessString(unsigned) { return CString(); }

uint64_t GetProcessPeakMemory() {
  struct rusage usage {};
  if (::getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // Linux reports kilobytes
}

double GetProcessCpuSeconds() {
  struct rusage usage {};
  if (::getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
