#include "app/engine/flat_name.h"

CString FlattenName(const CString& source, const CString& drivePrefix, const CString& userName, bool isFolder) {
  CString name = source;
  ReplaceAll(name, L"/", L"\\");
  RemoveAll(name, drivePrefix);
  RemoveAll(name, L"Documents and Settings");
  RemoveAll(name, userName);
  RemoveAll(name, L"My Documents");
  while (ReplaceAll(name, L"\\\\", L"\\") > 0) {
  }
  const wchar_t separator = isFolder ? L'.' : L'_';
  ReplaceAll(name, L"\\", CString(1, separator));
  // Not reachable from a walk, which always gives full paths.
  if (name.empty()) return CString(1, separator);
  name[0] = separator;
  return name;
}
