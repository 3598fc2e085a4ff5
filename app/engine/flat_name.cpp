#include "app/engine/flat_name.h"

#include "platform/fs/volume.h"
#include "platform/sys/known_folders.h"
#include "platform/sys/process.h"

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

void CFlatNames::SetTree(const CString& root) {
  m_strTree.clear();
  if (root.empty() || DrivePrefixVariesBelow(root)) return;
  const wchar_t last = root.back();
  m_strTree = last == PlatformPathSeparator() || last == L'/' ? root : root + PlatformPathSeparator();
  m_strTreePrefix = GetDrivePrefix(m_strTree + L"*");
}

CString CFlatNames::Of(const CString& source, bool isFolder) {
  if (!m_bUserKnown) {
    m_strUser = CurrentUserName();
    m_bUserKnown = true;
  }
  if (!m_strTree.empty() && source.size() > m_strTree.size() && source.compare(0, m_strTree.size(), m_strTree) == 0)
    return FlattenName(source, m_strTreePrefix, m_strUser, isFolder);
  const CString folder = source.substr(0, source.find_last_of(L"\\/") + 1);
  if (folder.empty() || folder != m_strFolder) {
    m_strPrefix = GetDrivePrefix(source);
    m_strFolder = folder;
  }
  return FlattenName(source, m_strPrefix, m_strUser, isFolder);
}
