#include "platform/volume.h"

#include "platform/win32_long_path.h"

bool HasSourceDrive(const CString& path) { return IsDriveLetterPath(path); }

CString GetSourceDrive(const CString& path) { return path.substr(0, 1) + L":"; }

CString GetDrivePrefix(const CString& itemPath) { return itemPath.substr(0, 2); }

CString GetDefaultDrive() { return L"C:"; }
