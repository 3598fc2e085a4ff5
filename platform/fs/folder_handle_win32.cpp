#include "platform/fs/folder_handle.h"

#include <windows.h>

#include "platform/fs/file_system.h"
#include "platform/fs/file_system_win32.h"
#include "platform/fs/win32_long_path.h"

namespace {

CString Join(const CString& folder, const CString& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// A removal under way: the volume it stays on, and where it first stopped.
struct CRemoval {
  uint64_t nVolume;
  CString strTop;  // the path the stop's path is taken relative to, with its separator
  CRemoveStop& stop;

  bool Stop(CRemoveStop::Reason reason, const CString& path, long error = 0) {
    if (stop.nReason == CRemoveStop::kNone) {
      stop.nReason = reason;
      stop.strPath = path.substr(strTop.size());
      stop.nError = error;
    }
    return false;
  }
  bool Failed(const CString& path) { return Stop(CRemoveStop::kError, path, static_cast<long>(::GetLastError())); }
};

// A link, junction or other reparse point goes as itself: RemoveDirectoryW
// and DeleteFileW remove the link, never what it points to. Wine shows a
// Unix link as a reparse point but deletes its target through both, so
// there it stays.
bool DeleteLink(const CString& path, bool folder, CRemoval& removal) {
  if (!PlatformDeletesLinksAsThemselves()) return removal.Stop(CRemoveStop::kLink, path);
  const BOOL ok =
      folder ? ::RemoveDirectoryW(LongPathOf(path).c_str()) : ::DeleteFileW(LongPathOf(path).c_str());
  return ok != FALSE || removal.Failed(path);
}

bool RemoveTree(const CString& path, CRemoval& removal) {
  const DWORD attributes = ::GetFileAttributesW(LongPathOf(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return removal.Failed(path);
  // A read-only item cannot be deleted.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    ::SetFileAttributesW(LongPathOf(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteLink(path, folder, removal);
  if (!folder) return ::DeleteFileW(LongPathOf(path).c_str()) != FALSE || removal.Failed(path);
  CFileIdentity identity;
  if (!PlatformFileIdentity(path, identity)) return removal.Failed(path);
  if (identity.nVolume != removal.nVolume) return removal.Stop(CRemoveStop::kOtherFileSystem, path);
  bool ok = true;
  WIN32_FIND_DATAW data{};
  const HANDLE find = ::FindFirstFileW(LongPathOf(Join(path, L"*")).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return removal.Failed(path);
  do {
    const CString name = data.cFileName;
    if (name != L"." && name != L"..") ok = RemoveTree(Join(path, name), removal) && ok;
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  if (!ok) return false;
  return ::RemoveDirectoryW(LongPathOf(path).c_str()) != FALSE || removal.Failed(path);
}

}  // namespace

void CFolderHandle::Close() {
  if (m_nHandle != -1) ::CloseHandle(reinterpret_cast<HANDLE>(m_nHandle));
  m_nHandle = -1;
  m_strPath.clear();
}

bool PlatformOpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  folder.Close();
  const CString path = parent != nullptr ? parent->m_strPath + L"\\" + name : name;
  uint32_t attributes = 0;
  if (!PlatformGetFileAttributes(path, attributes) && (!create || !PlatformCreateDirectory(path))) return false;
  // A junction or other reparse point put where the folder goes is refused.
  if (!PlatformGetFileAttributes(path, attributes) || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  folder.m_strPath = path;
  return true;
}

bool PlatformOpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  folder.Close();
  const CString path = parent != nullptr ? Join(parent->m_strPath, name) : name;
  uint32_t attributes = 0;
  if (!PlatformGetFileAttributes(path, attributes) &&
      (!create || parent == nullptr || !PlatformCreateDirectory(path) || !PlatformGetFileAttributes(path, attributes)))
    return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (parent != nullptr && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)))
    return false;
  folder.m_strPath = path;
  return true;
}

bool PlatformMoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                      const CString& toName) {
  return PlatformMoveFile(Join(from.m_strPath, fromName), Join(to.m_strPath, toName)) == 1;
}

bool PlatformRemoveEmptyFolder(const CFolderHandle& parent, const CString& name) {
  return ::RemoveDirectoryW(LongPathOf(Join(parent.m_strPath, name)).c_str()) != FALSE;
}

bool PlatformRemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) {
  stop = CRemoveStop();
  CFileIdentity top;
  if (!RecordWin32Result(PlatformFileIdentity(parent.m_strPath, top))) return false;
  CRemoval removal{top.nVolume, Join(parent.m_strPath, CString()), stop};
  return RemoveTree(Join(parent.m_strPath, name), removal);
}

CFolderResult PlatformMakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) {
  folder.Close();
  if (!RecordWin32Result(::CreateDirectoryW(LongPathOf(Join(parent.m_strPath, name)).c_str(), nullptr) != FALSE))
    return PlatformLastError() == ERROR_ALREADY_EXISTS ? CFolderResult::kTaken : CFolderResult::kFailed;
  return PlatformOpenPrivateFolder(&parent, name, false, folder) ? CFolderResult::kDone : CFolderResult::kFailed;
}

CFolderResult PlatformLockFolder(CFolderHandle& folder, bool forDeletion) {
  const DWORD access = forDeletion ? DELETE | FILE_LIST_DIRECTORY : FILE_LIST_DIRECTORY;
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (forDeletion ? FILE_SHARE_DELETE : 0);
  const HANDLE h = ::CreateFileW(LongPathOf(folder.m_strPath).c_str(), access, share, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (!RecordWin32Result(h != INVALID_HANDLE_VALUE))
    return PlatformLastError() == ERROR_SHARING_VIOLATION ? CFolderResult::kTaken : CFolderResult::kFailed;
  // A handle that may delete would stand in the way of the deletion itself
  // (Wine refuses it): the lock for deletion is a probe. No run takes an
  // existing folder, so none can start using it afterwards.
  if (forDeletion) {
    ::CloseHandle(h);
    return CFolderResult::kDone;
  }
  if (folder.m_nHandle != -1) ::CloseHandle(reinterpret_cast<HANDLE>(folder.m_nHandle));
  folder.m_nHandle = reinterpret_cast<intptr_t>(h);
  return CFolderResult::kDone;
}

bool PlatformDeletesLinksAsThemselves() {
  static const bool wine =
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine;
}
