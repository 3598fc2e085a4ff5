// The file-system operations of a path: existence tests, deleting and
// renaming a file, making its folder, and its URL, short and display forms.
#include <initializer_list>

#include "path/file_path.h"
#include "path/path_exists.h"
#include "platform/fs/file_system.h"
#include "text/tokens.h"

// The free tests, asked about p without trailing white space and one
// trailing separator; false when that leaves nothing.
bool CFilePath::IsExistsFile(const CString& p) {
  const CString s = RemoveSlash(p.c_str());
  return !s.empty() && ::IsExistsFile(s);
}

bool CFilePath::IsExistsDirectory(const CString& p) {
  const CString s = RemoveSlash(p.c_str());
  return !s.empty() && ::IsExistsDirectory(s);
}

bool CFilePath::IsExists() { return ReadStatus(); }

bool CFilePath::IsExistsFile() { return ReadStatus() && !IsDirectory(); }

bool CFilePath::IsExistsDirectory() const {
  CFilePath folder(GetDriveAndDir(), ptFile);
  return folder.ReadStatus() && folder.IsDirectory();
}

bool CFilePath::IsFolder() const { return !path.empty() && IsExistsDirectory(path); }

bool CFilePath::IsFile() const { return !path.empty() && IsExistsFile(path); }

bool CFilePath::DeleteFileW(const CString& p) {
  const CString s = RemoveSlash(p.c_str());
  return !s.empty() && PlatformDeleteFile(s);
}

bool CFilePath::DeleteFileW() const { return DeleteFileW(path); }

bool CFilePath::RenameFile(const CString& n) {
  // A name with a separator would move the file to another folder.
  if (n.find_first_of(L"/\\") != CString::npos) return false;
  CFilePath renamed(*this);
  const CString from = static_cast<const wchar_t*>(renamed);
  renamed.SetFileNameAndExt(n);
  const CString to = static_cast<const wchar_t*>(renamed);
  if (PlatformMoveFile(from, to) == 0) return false;
  Copy(static_cast<const CObj&>(renamed));
  return true;
}

bool CFilePath::CreateDirectoryW() const {
  if (IsExistsDirectory()) return true;
  return PlatformCreateDirectory(RemoveSlash(GetDriveAndDir().c_str()));
}

bool CFilePath::CreateFolder() const {
  if (IsExistsDirectory()) return true;
  CFilePath level(*this);
  level.SetDir(CString());
  CString names = Trimmed(GetDir(false));
  // The server is no folder to make: the walk starts at the share.
  if (IsNetwork()) level.SetDir(L"\\\\" + GetToken(names, L"\\/"));
  for (CString name = GetToken(names, L"\\/"); !name.empty(); name = GetToken(names, L"\\/")) {
    level.SetDir(level.GetDir(false) + AppendSlash(name, L'/'));
    if (!level.CreateDirectoryW()) return false;
  }
  return true;
}

CString CFilePath::GetURL() const { return L"file://" + path; }

CString CFilePath::GetShortPathNameW() const { return PlatformGetShortPathName(path); }

CString CFilePath::GetDisplayPathName() const {
  for (const wchar_t* name : {L"My Pictures", L"My Documents", L"Desktop"}) {
    const size_t at = path.find(name);
    if (at != CString::npos) return L"../" + path.substr(at);
  }
  return path;
}
