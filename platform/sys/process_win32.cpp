#include "platform/sys/process.h"

#include <windows.h>
#include <psapi.h>

#include <vector>

CString GetProcessCurrentDirectory(size_t maxChars) {
  std::vector<wchar_t> buffer(maxChars + 1, L'\0');
  const DWORD n = ::GetCurrentDirectoryW(static_cast<DWORD>(maxChars), buffer.data());
  if (n == 0 || n >= maxChars) return CString();
  return CString(buffer.data(), n);
}

CString GetProcessExecutablePath() {
  std::vector<wchar_t> buffer(32768, L'\0');
  const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return CString();
  return CString(buffer.data(), n);
}

wchar_t PlatformPathSeparator() { return L'\\'; }

size_t PlatformMaxPathChars() { return MAX_PATH; }

CString GetProcessEnvironmentVariable(const CString& name) {
  std::vector<wchar_t> buffer(256, L'\0');
  for (;;) {
    const DWORD n = ::GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return CString();
    if (n < buffer.size()) return CString(buffer.data(), n);
    buffer.assign(n + 1, L'\0');  // n is the size needed, terminator included
  }
}

bool SetProcessEnvironmentVariable(const CString& name, const CString& value) {
  return ::SetEnvironmentVariableW(name.c_str(), value.c_str()) != 0;
}

bool UnsetProcessEnvironmentVariable(const CString& name) {
  return ::SetEnvironmentVariableW(name.c_str(), nullptr) != 0 || ::GetLastError() == ERROR_ENVVAR_NOT_FOUND;
}


CString LoadProcessString(unsigned id) {
  const wchar_t* text = nullptr;
  // Length 0 asks for a read-only pointer into the resource itself.
  const int n = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (n <= 0 || text == nullptr) return CString();
  return CString(text, static_cast<size_t>(n));
}

uint64_t GetProcessPeakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) return 0;
  return counters.PeakWorkingSetSize;
}

double GetProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto seconds = [](const FILETIME& t) {
    return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;  // 100-ns units
  };
  return seconds(kernel) + seconds(user);
}
