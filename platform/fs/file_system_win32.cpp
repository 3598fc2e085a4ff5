#include "platform/fs/file_system.h"

#include <windows.h>

#include "platform/fs/file_system_win32.h"
#include "platform/fs/folder_handle.h"
#include "platform/system_message.h"
#include "platform/fs/win32_long_path.h"

namespace {

thread_local long t_lastError = 0;

bool Done(bool ok) { return RecordWin32Result(ok); }

CFileTimeHalves HalvesOf(const FILETIME& time) { return CFileTimeHalves{time.dwLowDateTime, time.dwHighDateTime}; }

}  // namespace

bool RecordWin32Result(bool ok) {
  t_lastError = ok ? 0 : static_cast<long>(::GetLastError());
  return ok;
}

bool PlatformGetFileAttributesEx(const CString& path, CFileAttributeData& data) {
  data = CFileAttributeData();
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!Done(::GetFileAttributesExW(LongPathOf(path).c_str(), GetFileExInfoStandard, &d) != FALSE)) return false;
  data.dwFileAttributes = d.dwFileAttributes;
  data.ftCreationTime = HalvesOf(d.ftCreationTime);
  data.ftLastAccessTime = HalvesOf(d.ftLastAccessTime);
  data.ftLastWriteTime = HalvesOf(d.ftLastWriteTime);
  data.nFileSizeHigh = d.nFileSizeHigh;
  data.nFileSizeLow = d.nFileSizeLow;
  return true;
}

bool PlatformSetFileAttributes(const CString& path, uint32_t attributes) {
  // On a symbolic link this changes the link, not its target.
  return Done(::SetFileAttributesW(LongPathOf(path).c_str(), attributes) != FALSE);
}

bool PlatformCreateDirectory(const CString& path) {
  return Done(::CreateDirectoryW(LongPathOf(path).c_str(), nullptr) != FALSE);
}

bool PlatformDeleteFile(const CString& path) { return Done(::DeleteFileW(LongPathOf(path).c_str()) != FALSE); }

CString PlatformGetShortPathName(const CString& path) {
  // The path as the caller wrote it: the "\\?\" form would come back in the
  // result. Asked twice, as the size it needs may change in between.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (!Done(size != 0)) return CString();
    CString shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), &shortPath[0], size);
    if (!Done(length != 0)) return CString();
    if (length < size) return shortPath.substr(0, length);
  }
  return CString();
}

namespace {

// True when a name is taken at path by an item Wine cannot see: a Unix link
// whose target is gone is neither listed nor examinable there, but an
// exclusive creation (O_EXCL underneath) still meets it. The probe file,
// when it could be made, goes again at once.
bool IsTakenByAHiddenLink(const CString& path) {
  const HANDLE probe = ::CreateFileW(LongPathOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
    return false;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

}  // namespace

int PlatformMoveFile(const CString& from, const CString& to) {
  // Wine looks through a dangling Unix link at `to`, finds nothing and
  // would replace the link: such a name is refused first.
  if (!PlatformDeletesLinksAsThemselves() && IsTakenByAHiddenLink(to)) {
    ::SetLastError(ERROR_ALREADY_EXISTS);
    Done(false);
    return 0;
  }
  // No MOVEFILE_REPLACE_EXISTING (an existing item is never destroyed) and no
  // MOVEFILE_COPY_ALLOWED (another volume fails).
  const BOOL result = ::MoveFileExW(LongPathOf(from).c_str(), LongPathOf(to).c_str(), 0);
  Done(result != FALSE);
  return result;
}

bool PlatformFileIdentity(const CString& path, CFileIdentity& identity) {
  HANDLE h = ::CreateFileW(LongPathOf(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (!Done(h != INVALID_HANDLE_VALUE)) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = Done(::GetFileInformationByHandle(h, &info) != FALSE);
  ::CloseHandle(h);
  if (!ok) return false;
  identity.nVolume = info.dwVolumeSerialNumber;
  identity.nIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

long PlatformLastError() { return t_lastError; }

long PlatformDiskFullError() { return ERROR_DISK_FULL; }

bool PlatformIsNotFoundError(long error) {
  return error == 0 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES ||
         error == ERROR_DIRECTORY;
}

CString PlatformErrorText(long error) {
  CString text;
  FormatSystemMessage(static_cast<uint32_t>(error), kAnyLanguage, 512, text);
  TrimString(text);
  if (!text.empty() && text.back() == L'.') text.pop_back();
  return text;
}
