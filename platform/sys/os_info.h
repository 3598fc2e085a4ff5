// The operating system's own description of itself.
#pragma once

#include <cstdint>

#include "platform/cstring.h"

// The fields of the Windows version record (OSVERSIONINFOW) that the OS
// description reads. dwOSVersionInfoSize is 276, the size of that record.
struct COSVersionRecord {
  uint32_t dwOSVersionInfoSize = 0;
  uint32_t dwMajorVersion = 0;
  uint32_t dwMinorVersion = 0;
  uint32_t dwBuildNumber = 0;
  uint32_t dwPlatformId = 0;  // 0 Win32s, 1 Windows 9x, 2 NT family
  wchar_t szCSDVersion[128] = {0};
};

// Fills the record from GetVersionExW. Returns false, leaving the record as
// it was, when the platform has no such record (POSIX) or the query fails.
bool QueryOSVersionRecord(COSVersionRecord& record);

// The "ProductType" value of HKLM\SYSTEM\CurrentControlSet\Control\ProductOptions
// (read into 80 characters), or empty when it cannot be read
// or the platform has no registry.
CString QueryProductType();

// POSIX: the kernel and distribution, e.g. "Linux 6.1.0-18-amd64 x86_64
// (Debian GNU/Linux 12 (bookworm))", from uname and /etc/os-release.
// Windows: empty, since there the version record describes the system.
CString QueryNativeOSDescription();
