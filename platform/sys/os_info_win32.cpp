#include <windows.h>

#include <cstring>

#include "platform/sys/os_info.h"

bool QueryOSVersionRecord(COSVersionRecord& record) {
  OSVERSIONINFOW info;
  std::memset(&info, 0, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info);
  // Deprecated but still the call that fills the record the description uses.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = ::GetVersionExW(&info);
#pragma GCC diagnostic pop
  if (!ok) return false;
  record.dwOSVersionInfoSize = info.dwOSVersionInfoSize;
  record.dwMajorVersion = info.dwMajorVersion;
  record.dwMinorVersion = info.dwMinorVersion;
  record.dwBuildNumber = info.dwBuildNumber;
  record.dwPlatformId = info.dwPlatformId;
  static_assert(sizeof(record.szCSDVersion) == sizeof(info.szCSDVersion), "same service-pack field");
  std::memcpy(record.szCSDVersion, info.szCSDVersion, sizeof(info.szCSDVersion));
  record.szCSDVersion[127] = L'\0';
  return true;
}

CString QueryProductType() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return CString();
  wchar_t buffer[80] = {0};
  DWORD bytes = sizeof(buffer) - sizeof(wchar_t);  // keep room for a terminator
  DWORD type = 0;
  const LONG rc = ::RegQueryValueExW(key, L"ProductType", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  ::RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return CString();
  return CString(buffer);
}

CString QueryNativeOSDescription() { return CString(); }
