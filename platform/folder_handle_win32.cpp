#include "platform/folder_handle.h"

#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32_long_path.h"

namespace {

CString Join(const CString& folder, const CString& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// A link, junction or other reparse point goes as itself: RemoveDirectoryW
// and DeleteFileW remove the link, never what it points to. Wine shows a
// Unix link as a reparse point but deletes its target through both, so
// there it stays.
bool DeleteLink(const CString& path, bool folder) {
  if (!PlatformDeletesLinksAsThemselves()) return false;
  return (folder ? ::RemoveDirectoryW(LongPathOf(path).c_str()) : ::DeleteFileW(LongPathOf(path).c_str())) != FALSE;
}

bool RemoveTree(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathOf(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  // A read-only item cannot be deleted.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    ::SetFileAttributesW(LongPathOf(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return DeleteLink(path, folder);
  if (!folder) return ::DeleteFileW(LongPathOf(path).c_str()) != FALSE;
  bool ok = true;
  WIN32_FIND_DATAW data{};
  const HANDLE find = ::FindFirstFileW(LongPathOf(Join(path, L"*")).c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const CString name = data.cFileName;
      if (name != L"." && name != L"..") ok = RemoveTree(Join(path, name)) && ok;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  return ::RemoveDirectoryW(LongPathOf(path).c_str()) != FALSE && ok;
}

}  // namespace

void CFolderHandle::Close() { m_strPath.clear(); }

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

bool PlatformRemoveTree(const CFolderHandle& parent, const CString& name) {
  return RemoveTree(Join(parent.m_strPath, name));
}

bool PlatformDeletesLinksAsThemselves() {
  static const bool wine =
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine;
}
