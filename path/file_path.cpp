// The path model: construction, copying, comparing, the member split and
// join, separator normalisation, setters and getters.
#include "path/file_path.h"

#include <algorithm>

#include "platform/ftp/ftp_file_find.h"

namespace {

// The text a member split works on: p without a leading "file://", "ftp://"
// or "network://". The scheme is the first non-empty piece of the trimmed
// text that ends at a colon; it counts only when "//" follows that colon.
CString WithoutScheme(const CString& p) {
  const CString t = Trimmed(p);
  size_t start = 0;
  size_t colon = t.find(L':');
  while (colon == start) {
    start = colon + 1;
    colon = t.find(L':', start);
  }
  if (colon == CString::npos) return p;
  const CString scheme = t.substr(start, colon - start);
  const bool known = scheme == L"file" || scheme == L"ftp" || scheme == L"network";
  return known && t.compare(colon + 1, 2, L"//") == 0 ? t.substr(colon + 3) : p;
}

// e without one leading dot.
CString WithoutDot(const CString& e) { return !e.empty() && e[0] == L'.' ? e.substr(1) : e; }

}  // namespace

CFilePath::CFilePath() : CObj() { Clear(); }

CFilePath::CFilePath(const wchar_t* p, _PathType t) : CObj() {
  Clear();
  SplitPath(p == nullptr ? CString() : CString(p), t);
}

CFilePath::CFilePath(const CString& p, _PathType t) : CObj() {
  Clear();
  SplitPath(p, t);
}

CFilePath::CFilePath(const CFilePath& o) : CObj() {
  Clear();
  Copy(o);
}

CFilePath::CFilePath(const CFileFind& f) : CObj() { Copy(f); }

CFilePath::CFilePath(const CFtpFileFind& f) : CObj() { Copy(f); }

CFilePath::~CFilePath() = default;

CObj* CFilePath::CreateObject() const { return new CFilePath; }

void CFilePath::Clear() {
  PathType = ptFile;
  path.clear();
  drive.clear();
  dir.clear();
  filename.clear();
  ext.clear();
  slash = L'/';
  m_nIcon = -1;
  m_attr = CFileAttributeData();
}

void CFilePath::Copy(const CObj& o) {
  const CFilePath* from = dynamic_cast<const CFilePath*>(&o);
  if (from == nullptr || from == this) return;
  PathType = from->PathType;
  path = from->path;
  drive = from->drive;
  dir = from->dir;
  filename = from->filename;
  ext = from->ext;
  m_nIcon = from->m_nIcon;
  m_attr = from->m_attr;
}

bool CFilePath::IsEqual(const CObj& o) const {
  const CFilePath* other = dynamic_cast<const CFilePath*>(&o);
  return other != nullptr && CompareNoCase(drive, other->drive) == 0 && CompareNoCase(dir, other->dir) == 0 &&
         CompareNoCase(filename, other->filename) == 0 && CompareNoCase(ext, other->ext) == 0;
}

CFilePath::operator const wchar_t*() {
  MakePath();
  return path.c_str();
}

void CFilePath::Copy(const CFtpFileFind& f) { Copy(static_cast<const CFileFind&>(f)); }

bool CFilePath::IsEqualDir(const CFilePath& o) const {
  CString mine = GetDir(false);
  CString theirs = o.GetDir(false);
  std::replace(mine.begin(), mine.end(), L'\\', L'/');
  std::replace(theirs.begin(), theirs.end(), L'\\', L'/');
  return CompareNoCase(mine, theirs) == 0;
}

void CFilePath::operator=(const CFilePath& o) { Copy(static_cast<const CObj&>(o)); }

void CFilePath::operator=(const CObj& o) { Copy(o); }

void CFilePath::operator=(const CFileFind& f) { Copy(f); }

void CFilePath::operator=(const CFtpFileFind& f) { Copy(f); }

void CFilePath::SplitPath(const CString& p, _PathType t) {
  PathType = t;
  const CString work = Trimmed(WithoutScheme(p));
  // A placeholder name makes the whole of a folder's text land in drive and dir.
  SplitPath(t == ptFolder ? AppendSlash(work, L'/') + L"a.a" : work, drive, dir, filename, ext);
  if (t == ptFolder) {
    filename.clear();
    ext.clear();
  }
  path = work;
  FixSlash();
  if (t == ptByStatus) FixByReadStatus();
}

void CFilePath::SetPath(const CString& p, _PathType t) { SplitPath(p, t); }

void CFilePath::SetPath(const CString& folder, const CString& name) {
  SplitPath(AppendSlash(folder, L'/') + name, ptFile);
}

CString CFilePath::MakePath() {
  FixSlash();
  MakePath(path, drive, dir, filename, ext);
  FixSlash();
  return path;
}

void CFilePath::FixSlash() {
  const bool network = IsNetwork();
  slash = network ? L'\\' : L'/';
  if (dir.empty() || !IsSlash(dir[0])) dir.insert(0, 1, slash);
  FixSlash(path, slash);
  FixSlash(dir, slash);
  if (network) {
    // The pair replacement has made the leading "\\" of dir a single one.
    dir.insert(0, 1, L'\\');
    path = drive + AppendSlash(dir, L'\\') + filename + ext;
  }
}

void CFilePath::FixSlash(CString& s, wchar_t c) const {
  const wchar_t other = c == L'/' ? L'\\' : L'/';
  std::replace(s.begin(), s.end(), other, c);
  if (c == L'/')
    ReplaceAll(s, L"//", L"/");
  else
    ReplaceAll(s, L"\\\\", L"\\");
}

bool CFilePath::IsSlash(wchar_t c) const { return c == L'/' || c == L'\\'; }

bool CFilePath::IsNetwork() const { return drive.empty() && dir.size() >= 2 && dir[0] == L'\\' && dir[1] == L'\\'; }

void CFilePath::SetDrive(const CString& d) {
  drive = d;
  MakePath();
}

void CFilePath::SetDrive(char c) {
  const wchar_t letter = static_cast<wchar_t>(static_cast<uint16_t>(static_cast<signed char>(c)));
  drive = CString(1, letter) + L':';
  MakePath();
}

void CFilePath::SetDir(const CString& d) {
  dir = AppendSlash(d, L'/');
  MakePath();
}

void CFilePath::SetFileName(const CString& n) {
  filename = n;
  MakePath();
}

void CFilePath::SetFileNameAndExt(const CString& s) {
  const size_t dot = s.find(L'.');
  if (dot == CString::npos || dot == 0) {
    filename = s;
  } else {
    filename = s.substr(0, dot);
    ext = s.substr(dot);
  }
  MakePath();
}

void CFilePath::SetExt(const CString& e) {
  ext = e.empty() || e[0] == L'.' ? e : L'.' + e;
  MakePath();
}

CString CFilePath::GetPath() const { return path; }

CString CFilePath::GetDrive() const { return drive; }

CString CFilePath::GetDir(bool bNoSlash) const { return bNoSlash ? RemoveSlash(dir) : dir; }

CString CFilePath::GetDriveAndDir() const { return drive + dir; }

CString CFilePath::GetFileName(bool bWithExt) const { return bWithExt ? filename + ext : filename; }

CString CFilePath::GetExt(bool bLower, bool bNoDot) const {
  CString e = bNoDot ? WithoutDot(ext) : ext;
  return bLower ? MakeLower(e) : e;
}

bool CFilePath::IsEqualExt(const CString& e, bool bIgnoreCase) const {
  const CString a = WithoutDot(e);
  const CString b = WithoutDot(ext);
  return bIgnoreCase ? CompareNoCase(a, b) == 0 : a == b;
}

bool CFilePath::IsEmpty() const { return path.empty(); }
