// CFilePath: the toolkit's path value. One object holds one path twice
// over: as the whole text (path) and split into drive, directory, file name
// and extension, together with the kind it was split as (PathType), the
// separator in use (slash), an icon index and the metadata of the item it
// names (the attribute block).
//
// Every split and join ends in FixSlash, which picks the separator: a
// backslash for a network path (\\server\share\...), a forward slash for
// every other one, so C:\Work\main.cpp is held as C:/Work/main.cpp. After
// any split, join or setter: dir is never empty and begins with a separator;
// path and dir hold only the current separator, doubled ones collapsed once.
//
// Splitting and joining follow the C runtime's _wsplitpath and _wmakepath
// rules, computed here alike on every platform. Unlike the runtime, no
// component and no joined path is limited in length: a directory, name or
// extension longer than 255 characters, or a joined path longer than 259,
// is kept whole, never cut and never written past a buffer.
//
// No operation here fails or reports an error: any text splits by the same
// rules (a text without a separator is a bare file name under "/").
#pragma once

#include <cstdint>
#include <string>

#include "object/obj.h"
#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/fs/file_system.h"
#include "platform/fs/file_time.h"

class CFileFind;
class CFilePathList;
class CFtpFileFind;
class CStringTokenizer;

// The kind of path a split is told to expect. Any other value is kept in
// PathType and splits as ptFile.
enum _PathType : int32_t {
  ptFile = 0,      // the last component is file name and extension
  ptFolder = 1,    // the whole text is a folder: drive and directory only
  ptByStatus = 3,  // split as ptFile, then split as ptFolder when the disk says it is a folder
};

class VELMORA_API CFilePath : public CObj {
 public:
  // CObj's defaults, then Clear().
  CFilePath();
  // Clear(), then SplitPath(p, t).
  explicit CFilePath(const wchar_t* p, _PathType t = ptFile);
  explicit CFilePath(const CString& p, _PathType t = ptFile);
  // CObj's defaults (o's are not taken), Clear(), then Copy(o): slash is a
  // forward slash until the next normalisation.
  CFilePath(const CFilePath& o);
  // CObj's defaults, then Copy(f).
  explicit CFilePath(const CFileFind& f);
  explicit CFilePath(const CFtpFileFind& f);
  ~CFilePath() override;

  // A new default-constructed CFilePath; the caller owns it.
  CObj* CreateObject() const override;
  // Every field of this class to its empty value (PathType ptFile, empty
  // texts, slash "/", icon -1, attribute block zero); CObj's fields stay.
  void Clear() override;
  // Takes path, drive, dir, filename, ext, the icon, PathType and the
  // attribute block of o; not slash, not CObj's fields. Nothing is taken
  // from an object that is no CFilePath.
  void Copy(const CObj& o) override;
  // True when drive, dir, filename and ext each equal o's, ignoring case;
  // false when o is no CFilePath.
  bool IsEqual(const CObj& o) const override;

  // MakePath(), then the text of path; valid while the object lives and is
  // not changed.
  virtual operator const wchar_t*();
  // Takes over a listing entry: Clear(), its size, its full path split as
  // ptFile (a folder's with a separator appended, so that its name lands in
  // dir), the eight attribute bits of SetAttr(f), then its three times.
  virtual void Copy(const CFileFind& f);
  // Copy through the virtual Copy(const CFileFind&).
  virtual void Copy(const CFtpFileFind& f);
  // True when both directories, backslashes read as forward slashes, are
  // equal ignoring case; drives are not compared.
  virtual bool IsEqualDir(const CFilePath& o) const;

  // ---- Text form (file_path_xml.cpp): a "CFilePath" element ----

  using CObj::ReadXML;
  using CObj::ReadXMLAttr;
  CString XMLObject() const override;
  // The seventeen fields in persisted order (path, drive, dir, filename, ext,
  // slash as its character code, FileAttributes, the Lo and Hi halves of the
  // three times, FileSizeHigh, FileSizeLow, Icon, PathType), numbers in
  // signed decimal. CObj's fields are not written.
  void WriteXMLAttr(CString& out) override;
  // Takes one of the seventeen (name ignoring case) exactly as written:
  // nothing is re-split or normalised. Other names change nothing. Always
  // true.
  bool ReadXMLAttr(const CString& name, const CString& value) override;
  // Reads one element from the front of text as ReadXML(CString&) does,
  // except that blanks after "<" are accepted.
  virtual bool ReadXML(CStringTokenizer& text);

  // Each calls the matching Copy; the first two Copy(const CObj&). No chaining.
  void operator=(const CFilePath& o);
  void operator=(const CObj& o);
  void operator=(const CFileFind& f);
  void operator=(const CFtpFileFind& f);

  // The split rule: drive = the first two characters when the second is a
  // colon; dir = from there up to and including the last "/" or "\"; of the
  // rest, ext runs from its last dot (included) and fname is what precedes
  // it. Each out-text that finds nothing is empty.
  static void SplitPath(const CString& p, CString& drive, CString& dir, CString& fname, CString& ext);
  // The join rule: the first character of drive and ":" (when drive is not
  // empty), dir and a "\" unless it ends in a separator (when not empty),
  // fname, then ext with a dot put in front when it has none (when not
  // empty).
  static void MakePath(CString& out, const CString& drive, const CString& dir, const CString& fname,
                       const CString& ext);

  // Splits p as a path of kind t, which PathType keeps. A leading "file://",
  // "ftp://" or "network://" (lower case; surrounding white space ignored) is
  // dropped; the rest, trimmed, is split and kept in path. ptFolder puts the
  // whole text into drive and dir; ptByStatus ends in FixByReadStatus(). The
  // icon and the attribute block are kept (ptByStatus may read them anew).
  void SplitPath(const CString& p, _PathType t);
  // The same as SplitPath(p, t).
  void SetPath(const CString& p, _PathType t);
  // Splits AppendSlash(folder, '/') followed by name, as ptFile.
  void SetPath(const CString& folder, const CString& name);
  // FixSlash(); path = the join of drive, dir, filename and ext; FixSlash()
  // again. Returns path.
  CString MakePath();

  // Picks slash (backslash for a network path, else "/"), makes dir begin
  // with it (dir alone when empty), turns path and dir over to it, and for a
  // network path restores the doubled backslash that begins dir and rebuilds
  // path from the parts.
  void FixSlash();
  // Turns every separator of s into c, then replaces each pair of c by one
  // c in a single left-to-right pass (three in a row become two).
  void FixSlash(CString& s, wchar_t c) const;
  // c is "/" or "\".
  bool IsSlash(wchar_t c) const;
  // No drive, and dir begins with two backslashes (forward slashes do not
  // count).
  bool IsNetwork() const;

  // Each setter stores its part, then runs MakePath().
  void SetDrive(const CString& d);
  // The drive "c:", c widened with sign extension to 16 bits.
  void SetDrive(char c);
  // dir = AppendSlash(d, '/').
  void SetDir(const CString& d);
  // The file name; the extension stays.
  void SetFileName(const CString& n);
  // Splits s at its first dot: name before, extension from the dot on. When
  // s has no dot, or only a leading one, all of s is the name and the
  // extension stays.
  void SetFileNameAndExt(const CString& s);
  // The extension, a dot put in front when e is not empty and has none.
  void SetExt(const CString& e);

  CString GetPath() const;
  CString GetDrive() const;
  // dir; without its trailing separator when bNoSlash.
  CString GetDir(bool bNoSlash = false) const;
  CString GetDriveAndDir() const;
  // filename; followed by ext when bWithExt.
  CString GetFileName(bool bWithExt = false) const;
  // ext; without its leading dot when bNoDot, then in lower case when bLower.
  CString GetExt(bool bLower = false, bool bNoDot = false) const;
  // e and ext, each without one leading dot, are equal (ignoring case when
  // bIgnoreCase).
  bool IsEqualExt(const CString& e, bool bIgnoreCase = true) const;
  // path is empty.
  bool IsEmpty() const;

  // ---- Metadata (file_path_status.cpp) ----

  uint32_t GetAttr() const;
  void SetAttr(uint32_t a);
  // FILE_ATTRIBUTE_* bits |= a.
  void AddAttr(uint32_t a);
  // Takes the read-only, directory, compressed, system, hidden, temporary,
  // normal and archive bits of the listing entry; no other bit.
  void SetAttr(const CFileFind& f);
  // Any bit of m is set.
  bool MatchesMask(uint32_t m) const;
  // The attributes are neither 0 nor 0xFFFFFFFF (nothing read).
  bool IsValidAttr() const;
  bool IsReadOnly() const;
  bool IsHidden() const;
  bool IsSystem() const;
  bool IsDirectory() const;
  bool IsArchived() const;
  bool IsNormal() const;
  bool IsTemporary() const;
  bool IsCompressed() const;

  // The size in bytes, from its two halves.
  unsigned long long Length() const;
  void Length(unsigned long long v);
  // s read as a signed decimal number as _atoi64 reads it (leading white
  // space, a sign, digits up to the first other character; none gives 0;
  // beyond 64 bits the largest or smallest value), stored as Length(v).
  void Length(std::string s);
  uint32_t FileSizeHigh() const;
  uint32_t FileSizeLow() const;

  CFileTime CreationTime() const;
  CFileTime LastAccessTime() const;
  CFileTime LastWriteTime() const;
  void CreationTime(CFileTime t);
  void LastAccessTime(CFileTime t);
  void LastWriteTime(CFileTime t);

  // The icon index callers attach for display; -1 for none.
  int Icon() const;
  void Icon(int i);

  // Takes the whole attribute block of o, nothing else.
  void CopyFileAttributes(const CFilePath& o);
  // path is not empty and at least one of the three times is not zero.
  bool IsValid() const;

  // Reads the attribute block of the item at path (without trailing white
  // space and one trailing separator; a root keeps its separator). False
  // when the path is empty (only the attributes are reset then), or does not
  // exist or cannot be read (the whole block is zero then).
  bool ReadStatus();
  // ReadStatus(); when the item is a folder, the object is split anew as
  // ptFolder with the block just read and icon -1. False when ReadStatus is.
  bool FixByReadStatus();

  // Extension classes: ext equals one of the listed extensions, ignoring
  // case. A path without extension is of none.
  bool IsHTML() const;   // .html .htm
  bool IsAudio() const;  // .wav .mp3 .aiff .au .snd .wave
  bool IsMovie() const;  // .mov .mp4 .avi
  bool IsIMAGE() const;  // .png .tif .tiff .jpeg .jpg .gif, IsBMP(), IsNEF()
  bool IsNEF() const;    // .nef
  bool IsPNG() const;    // .png
  bool IsTIF() const;    // .tif .tiff
  bool IsJPEG() const;   // .jpeg .jpg
  bool IsGIF() const;    // .gif
  bool IsBMP() const;    // .bmp .pcx
  bool IsBIN() const;    // .bin
  bool IsTXT() const;    // .txt

  // ---- File-system operations (file_path_fs.cpp) ----
  // None logs or shows a message; a failing platform call is a false or
  // empty result. The static tests and DeleteFileW first drop trailing white
  // space and one trailing separator (RemoveSlash); an empty text is false
  // without asking the platform.

  // p names an existing item that is neither a folder nor a volume label (a
  // link is the item itself).
  static bool IsExistsFile(const CString& p);
  // p names an existing folder (or a link to one).
  static bool IsExistsDirectory(const CString& p);
  // ReadStatus(): the path exists; the attribute block is filled.
  bool IsExists();
  // ReadStatus() and the item is no folder; the attribute block is filled.
  bool IsExistsFile();
  // The folder part (GetDriveAndDir()) exists as a folder: the folder itself
  // for a ptFolder path, the folder that would hold the file otherwise. This
  // object is not changed.
  bool IsExistsDirectory() const;
  // path is not empty and IsExistsDirectory(path).
  bool IsFolder() const;
  // path is not empty and IsExistsFile(path).
  bool IsFile() const;

  // Deletes the one file p names. False, and nothing deleted, for a folder,
  // a read-only file or a missing one.
  static bool DeleteFileW(const CString& p);
  // DeleteFileW(path); the object is not changed.
  bool DeleteFileW() const;
  // Renames the file within its folder to n, split at its first dot as
  // SetFileNameAndExt does (a name without a dot keeps the extension), and
  // this object follows. Never replaces an existing item. False, and
  // nothing changed, when the rename fails or n holds a separator (the
  // folder never changes).
  bool RenameFile(const CString& n);
  // Makes the last level of the folder part (GetDriveAndDir()); its parent
  // must exist. True also when the folder exists already.
  bool CreateDirectoryW() const;
  // Makes every missing level of the folder part, from the root down (for a
  // network path, below the server: the share must exist). Levels that are
  // links to folders are passed through as the platform's mkdir does;
  // nothing is ever replaced or removed. False at the first level that
  // cannot be made; the levels made so far stay. This object is not changed.
  bool CreateFolder() const;

  // "file://" followed by path (two slashes: file://C:/Work/a.txt).
  CString GetURL() const;
  // The platform's short (8.3) form of path; on POSIX path itself. Empty
  // when the path does not exist.
  CString GetShortPathNameW() const;
  // "../" followed by path from the first "My Pictures", else the first "My
  // Documents", else the first "Desktop" (case matters); path unchanged when
  // it holds none of them.
  CString GetDisplayPathName() const;

  // ---- Folder chains (file_path_chain.cpp) ----
  // The folder names of a path are the pieces of GetDir(false), trimmed,
  // between backslashes and forward slashes, empty pieces skipped:
  // /Work/Src/ has Work and Src, \\server\share\ has server and share, the
  // root none. Only dir (and through MakePath path) changes; nothing touches
  // the disk.

  // Appends to list, for each folder name in order, a new copy of this path
  // whose directory is that one folder (C:/Work/Src/main.cpp gives
  // C:/Work/main.cpp and C:/Src/main.cpp). The list is not emptied first.
  void SplitSubfolders(CFilePathList& list) const;
  // SetDir of the directories of list's elements joined in order (doubled
  // separators collapse); the root for an empty list.
  void MakeSubfolders(const CFilePathList& list);
  // Appends o's last folder name to dir. False, and nothing changed, when o
  // has no folder name.
  bool AddFolder(const CFilePath& o);
  // Appends the directory text d (several levels, a leading separator or
  // none; empty appends nothing). Always true.
  bool AppendDir(const CString& d);
  // AppendDir(o.GetDir(false)).
  bool AppendDir(const CFilePath& o);
  // Drops from dir the characters it shares at its start with o's directory,
  // compared one by one and case-sensitively (not by whole names: /ab/x/
  // less /a/ is /b/x/). Always true.
  bool SubstructDir(const CFilePath& o);
  // Drops the last folder name; the root stays the root, a network path
  // keeps its form (\\server\share\ becomes \\server\).
  void UpDir();
  // The last folder name; empty at the root.
  CString GetTailDir() const;
  // o's folder names are this path's plus exactly one, compared ignoring
  // case; drives, names and extensions are not compared.
  bool IsParent(const CFilePath& o) const;

  // Fields in their persisted order; the names are the keys of the text form.
  _PathType PathType = ptFile;  // the kind given to the last split
  CString path;                 // the whole path text
  CString drive;                // "C:" or empty
  CString dir;                  // from the root up to and including the last separator
  CString filename;             // without extension
  CString ext;                  // with its leading dot, or empty
  wchar_t slash = L'/';         // the separator in use
  int m_nIcon = -1;             // the icon index (Icon())
  // FileAttributes, CreationTime, LastAccessTime, LastWriteTime,
  // FileSizeHigh and FileSizeLow, in the platform's layout.
  CFileAttributeData m_attr;
};

// s without trailing white space, followed by c unless it already ends in
// "/" or "\" (whichever); c alone when nothing is left.
VELMORA_API CString AppendSlash(const CString& s, wchar_t c = L'/');
// s without trailing white space and one trailing "/" or "\"; empty for null.
VELMORA_API CString RemoveSlash(const wchar_t* s);
// s without one trailing "/" or "\"; white space is not trimmed.
VELMORA_API CString RemoveSlash(CString s);
