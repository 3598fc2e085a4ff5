// The file-system operations of a cleanup run: attributes, one-level folder
// creation, a move that never replaces, and the identity of an item.
// Failures are reported as false (or 0); the OS error of the last failure on
// this thread is kept for diagnostics in PlatformLastError().
//
// On Windows a full path reaches the file system exactly as written (its
// "\\?\" form, win32_long_path.h): no name loses a trailing dot or blank, a
// device name (CON, NUL, COM1) is a name like any other, and there is no
// 260-character limit. A path that is not full is left to Windows.
#pragma once

#include <cstdint>

#include "platform/cstring.h"
#include "platform/fs/file_attributes.h"
#include "platform/fs/file_time.h"

// Reads the FILE_ATTRIBUTE_* bits of path. A link is described itself
// (FILE_ATTRIBUTE_REPARSE_POINT), plus FILE_ATTRIBUTE_DIRECTORY when it
// points to a folder. POSIX meanings are those of CFileFind::MatchesMask.
// Returns false when the path does not exist or cannot be examined.
bool PlatformGetFileAttributes(const CString& path, uint32_t& attributes);

// The metadata of an item, in the layout of WIN32_FILE_ATTRIBUTE_DATA.
struct CFileAttributeData {
  uint32_t dwFileAttributes = 0;
  CFileTimeHalves ftCreationTime;
  CFileTimeHalves ftLastAccessTime;
  CFileTimeHalves ftLastWriteTime;
  uint32_t nFileSizeHigh = 0;
  uint32_t nFileSizeLow = 0;
};

// Reads the metadata of path (GetFileAttributesExW at the standard level).
// POSIX: the item itself as lstat sees it, with the attribute bits of
// PlatformGetFileAttributes; a folder's size is 0, a link's is its own; the
// creation time is the birth time where the file system records one
// (statx), else 0. Returns false, with data all zero, when the path does not
// exist or cannot be examined.
bool PlatformGetFileAttributesEx(const CString& path, CFileAttributeData& data);

// Sets the attributes of path (SetFileAttributesW). POSIX: only the read-only
// bit has a meaning there: set, it removes every write bit; clear, it adds
// the owner's write bit. A symbolic link is left as it is (its target is
// never touched). Returns false when the path cannot be changed.
bool PlatformSetFileAttributes(const CString& path, uint32_t attributes);

// Creates one folder; its parent must exist (CreateDirectoryW without
// security attributes; POSIX mkdir with mode 0777 less the umask). Returns
// false when it cannot be made or already exists.
bool PlatformCreateDirectory(const CString& path);

// Deletes one file, or one link itself (DeleteFileW). Refuses a folder and a
// read-only file (POSIX: one without the owner's write bit), as Windows
// does. Returns false when nothing was deleted.
bool PlatformDeleteFile(const CString& path);

// The short (8.3) form of an existing path (GetShortPathNameW), of any
// length. POSIX has no short names: path itself when the item exists (a
// link counts itself). Empty when the path does not exist or the call fails.
CString PlatformGetShortPathName(const CString& path);

// Moves a file, folder or link (the link itself) to `to` on the same volume.
// Never replaces: when `to` exists, the move fails and both items stay.
// Never copies: a destination on another volume fails (POSIX: EXDEV).
// Returns 1 on success and 0 on failure, as MoveFileExW does.
int PlatformMoveFile(const CString& from, const CString& to);

// Identifies an item independently of how its path is spelled.
struct CFileIdentity {
  uint64_t nVolume = 0;
  uint64_t nIndex = 0;
  bool operator==(const CFileIdentity& o) const { return nVolume == o.nVolume && nIndex == o.nIndex; }
  bool operator!=(const CFileIdentity& o) const { return !(*this == o); }
};

// The identity of the item at path itself (a final link is not followed).
// Returns false when the item does not exist or cannot be examined.
bool PlatformFileIdentity(const CString& path, CFileIdentity& identity);

// The OS error of the last failed call above on this thread (errno or
// GetLastError()), 0 after a success.
long PlatformLastError();

// True when error says only that an item is not there (any more): missing,
// or no longer a folder. 0 counts too (nothing failed, e.g. an empty listing).
bool PlatformIsNotFoundError(long error);
// The error code of a disk that is full (ENOSPC, ERROR_DISK_FULL).
long PlatformDiskFullError();

// The system's text for an OS error of this platform (errno or
// GetLastError(), as PlatformLastError and CFile give them), without the
// final period or line end; empty when the system has none.
CString PlatformErrorText(long error);
