#include "platform/folder_handle.h"

#include <windows.h>

#include "platform/file_system.h"

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
