#include "platform/sys/known_folders.h"

#include "platform/sys/process.h"
#include "platform/sys/user_name_hooks.h"

namespace {
bool g_bUserNamePinned = false;
CString g_strPinnedUserName;
}  // namespace

CString CurrentUserName() {
  if (g_bUserNamePinned) return g_strPinnedUserName;
  CString name = QueryUserName();
  return name.size() < PlatformMaxPathChars() ? name : CString();
}

void PinUserNameForTesting(const CString& name) {
  g_bUserNamePinned = true;
  g_strPinnedUserName = name;
}

void UnpinUserNameForTesting() {
  g_bUserNamePinned = false;
  g_strPinnedUserName.clear();
}

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
