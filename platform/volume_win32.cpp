#include "platform/volume.h"

CString GetSourceDrive(const CString& path) { return path.substr(0, 1) + L":"; }

CString GetDrivePrefix(const CString& itemPath) { return itemPath.substr(0, 2); }

CString GetDefaultDrive() { return L"C:"; }
