#include "ftp/ftp_path.h"

CFtpPath::CFtpPath() : CFilePath() {}

CFtpPath::CFtpPath(const CObj& o) : CFilePath() { Copy(o); }

CFtpPath::CFtpPath(const wchar_t* p, _PathType t) : CFilePath(p, t) {}

CFtpPath::CFtpPath(const CString& p, _PathType t) : CFilePath(p, t) {}

CFtpPath::CFtpPath(const CFtpPath& o) : CFilePath(o) {}

CFtpPath::CFtpPath(const CFilePath& o) : CFilePath(o) {}

CFtpPath::CFtpPath(const CFileFind& f) : CFilePath(f) {}

CFtpPath::CFtpPath(const CFtpFileFind& f) : CFilePath(f) {}

CFtpPath::~CFtpPath() = default;

CObj* CFtpPath::CreateObject() const { return new CFtpPath; }

void CFtpPath::operator=(const CFtpPath& o) { Copy(static_cast<const CObj&>(o)); }

bool CFtpPath::IsFtpRoot() const { return dir.empty() || dir == L"/"; }

void CFtpPath::MakeFtpRoot() {
  Clear();
  dir = L"/";
  MakePath();
}

CString CFtpPath::GetFtpDir(bool bTrailing) const {
  CString s = dir;
  FixSlash(s, L'/');
  if (!bTrailing) return RemoveSlash(s.c_str());
  if (s.empty()) return L"/";
  return (s[0] == L'/' ? CString() : CString(L"/")) + AppendSlash(s, L'/');
}

CString CFtpPath::GetFtpPath() const { return GetFtpDir(true) + GetFileName(true); }

CString CFtpPath::GetFtpPathName() const { return GetFtpPath(); }
