// Facts about the running process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/cstring.h"

// The current directory, or the empty string when it cannot be read or does
// not fit in maxChars characters including its terminator (the 260-character
// buffers of the Windows API).
CString GetProcessCurrentDirectory(size_t maxChars);

// Full path of the running executable (Windows: module file name; POSIX:
// /proc/self/exe), or the empty string.
CString GetProcessExecutablePath();

// The platform's path separator: '\\' on Windows, '/' on POSIX.
wchar_t PlatformPathSeparator();

// The size of the path buffers of the platform, terminator included:
// MAX_PATH (260) on Windows, PATH_MAX on POSIX.
size_t PlatformMaxPathChars();

// The value of an environment variable of this process, or the empty string
// when it is not set.
CString GetProcessEnvironmentVariable(const CString& name);

// Sets an environment variable of this process (for the process and the
// programs it starts); false on failure.
bool SetProcessEnvironmentVariable(const CString& name, const CString& value);

// Removes an environment variable of this process; false on failure.
bool UnsetProcessEnvironmentVariable(const CString& name);

// The string resource `id` of the running program (Windows string table), or
// the empty string when there is none (always on POSIX).
CString LoadProcessString(unsigned id);

// The largest resident memory the process has used so far, in bytes
// (POSIX: getrusage ru_maxrss; Windows: the peak working set), or 0.
uint64_t GetProcessPeakMemory();

// The processor time the process has used so far, user and system, in
// seconds (POSIX: getrusage; Windows: GetProcessTimes), or 0. Unlike the
// time on the clock, other work on the machine does not add to it.
double GetProcessCpuSeconds();
