// CFtpPath: a path value in FTP form. It is a CFilePath with no fields of its
// own and writes and reads itself as a "CFilePath" element; it adds the
// views of its directory and path that an FTP server takes: forward slashes
// only, rooted at "/".
#pragma once

#include "path/file_path.h"
#include "platform/api.h"

class VELMORA_API CFtpPath : public CFilePath {
 public:
  // The constructors of CFilePath, forwarded.
  CFtpPath();
  // A default path, then Copy(o): nothing is taken from an object that is no
  // CFilePath.
  explicit CFtpPath(const CObj& o);
  explicit CFtpPath(const wchar_t* p, _PathType t = ptFile);
  explicit CFtpPath(const CString& p, _PathType t = ptFile);
  // CFilePath's copy: slash is not carried.
  CFtpPath(const CFtpPath& o);
  CFtpPath(const CFilePath& o);
  explicit CFtpPath(const CFileFind& f);
  explicit CFtpPath(const CFtpFileFind& f);
  ~CFtpPath() override;

  // A new default-constructed CFtpPath; the caller owns it.
  CObj* CreateObject() const override;

  // Copy(o); no chaining. The other assignments are CFilePath's.
  using CFilePath::operator=;
  void operator=(const CFtpPath& o);

  // dir is empty or exactly "/".
  bool IsFtpRoot() const;
  // Clear(), then dir "/" and path "/".
  void MakeFtpRoot();
  // dir with backslashes turned into "/" and each "//" made one "/" (one
  // left-to-right pass). bTrailing: begins and ends with "/" ("/" when dir is
  // empty). Otherwise: without trailing white space and one trailing
  // separator, and no leading one added.
  CString GetFtpDir(bool bTrailing) const;
  // GetFtpDir(true) followed by the file name and extension.
  CString GetFtpPath() const;
  // The same as GetFtpPath().
  CString GetFtpPathName() const;
};
