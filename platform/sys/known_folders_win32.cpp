#include "platform/sys/known_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/fs/win32_long_path.h"

namespace {

const DWORD kBufferChars = 260;

// A folder that is not a full path ("." or "D:" in the registry) would put
// what goes into it in whatever folder is current: it counts as missing.
CString FullOrEmpty(const CString& folder) {
  const bool network = folder.size() > 2 && (folder[0] == L'\\' || folder[0] == L'/') &&
                       (folder[1] == L'\\' || folder[1] == L'/');
  return IsDriveLetterPath(folder) || network ? folder : CString();
}

// A result that needs more than the buffer (n >= size) counts as a failure.
CString FromBuffer(const wchar_t* buffer, DWORD n) { return n == 0 || n >= kBufferChars ? CString() : CString(buffer); }

}  // namespace

CString QueryShellFolder(ShellFolder folder) {
  wchar_t buffer[kBufferChars] = {0};
  if (FAILED(::SHGetFolderPathW(nullptr, static_cast<int>(folder), nullptr, 0, buffer))) return CString();
  return FullOrEmpty(buffer);
}

CString QueryHomeFolder() {
  // The registered profile, not %USERPROFILE%: whoever starts the program
  // can unset or change its environment.
  wchar_t buffer[kBufferChars] = {0};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, buffer))) return CString();
  return FullOrEmpty(buffer);
}

CString QueryWindowsDirectory() {
  wchar_t buffer[kBufferChars] = {0};
  return FromBuffer(buffer, ::GetWindowsDirectoryW(buffer, kBufferChars));
}

CString QuerySystemDirectory() {
  wchar_t buffer[kBufferChars] = {0};
  return FromBuffer(buffer, ::GetSystemDirectoryW(buffer, kBufferChars));
}

CString QueryTempPath() {
  wchar_t buffer[kBufferChars] = {0};
  return FromBuffer(buffer, ::GetTempPathW(kBufferChars, buffer));
}

CString QueryUserName() {
  wchar_t buffer[kBufferChars] = {0};
  DWORD size = kBufferChars;
  return ::GetUserNameW(buffer, &size) ? CString(buffer) : CString();
}

CString QueryComputerName() {
  wchar_t buffer[kBufferChars] = {0};
  DWORD size = kBufferChars;
  return ::GetComputerNameW(buffer, &size) ? CString(buffer) : CString();
}

void QueryLogicalDrives(CStringArray& drives, bool lettersOnly) {
  const DWORD kListChars = 100;
  wchar_t buffer[kListChars] = {0};
  const DWORD n = ::GetLogicalDriveStringsW(kListChars, buffer);
  if (n == 0 || n > kListChars || buffer[0] == L'\0') return;
  AppendDriveRoots(buffer, kListChars, lettersOnly, drives);
}
