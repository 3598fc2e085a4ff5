#include "platform/fs/volume.h"

#include <windows.h>

#include "platform/fs/win32_long_path.h"

bool HasSourceDrive(const CString& path) { return IsDriveLetterPath(path); }

CString GetSourceDrive(const CString& path) { return path.substr(0, 1) + L":"; }

CString GetDrivePrefix(const CString& itemPath) { return itemPath.substr(0, 2); }

bool DrivePrefixVariesBelow(const CString&) { return false; }

bool IsTrashLocation(const CString& folder) {
  CString f = folder;
  if (!f.empty() && f.back() != L'\\' && f.back() != L'/') f += L'\\';
  if (IsDriveLetterPath(f) && f.size() == 3) return true;
  wchar_t volume[MAX_PATH + 1] = {0};
  return IsDriveLetterPath(f) && ::GetVolumePathNameW(f.c_str(), volume, MAX_PATH) &&
         CompareNoCase(volume, f) == 0;
}

CString GetDefaultDrive() { return L"C:"; }
