#include "platform/sys/known_folders.h"

void AppendDriveRoots(const wchar_t* buffer, size_t size, bool lettersOnly, CStringArray& drives) {
  const size_t kStep = 4;  // "C:\" and its terminator
  for (size_t i = 0; i + kStep <= size && buffer[i] != L'\0'; i += kStep) {
    size_t length = 0;
    while (length < 3 && buffer[i + length] != L'\0') ++length;
    CString root(buffer + i, length);
    if (lettersOnly) root.resize(1);
    drives.push_back(root);
  }
}

CString DriveOfSystemFolder(const CString& systemFolder) {
  const size_t colon = systemFolder.find(L':');
  if (colon == CString::npos) return CString();
  if (colon == 0) return systemFolder;
  return systemFolder.substr(0, colon);
}
