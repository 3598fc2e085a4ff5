// CFileFind: the directory enumerator the tree walk runs on. Windows:
// FindFirstFileW / FindNextFileW. POSIX: opendir / readdir; the entry's type
// comes from d_type, and the entry's own status (one statx, or lstat) is read
// only when a query needs more (an unknown type, a link's target kind, the
// size, the times, the permission bits), once per entry.
//
// As with the framework's enumerator, FindFile positions before the first
// entry and each FindNextFile moves to the next one and tells whether more
// follow:
//
//   CFileFind find;
//   if (find.FindFile(folder + sep + L"*.*")) {
//     bool more = true;
//     while (more) { more = find.FindNextFile(); ... use the entry ... }
//   }
//
// The listing and the entry queries are virtual, so that CFtpFileFind
// (ftp_file_find.h) answers them for an FTP listing; the operations on the
// entry itself (FindSubfolder, MoveEntry, SetEntryAttributes,
// GetEntryIdentity) belong to the local file system only.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/fs/file_attributes.h"
#include "platform/fs/file_system.h"
#include "platform/fs/file_time.h"

class CFolderHandle;

// Exported with the toolkit: the path class copies entries from it.
class VELMORA_API CFileFind {
 public:
  CFileFind();
  virtual ~CFileFind();  // closes the enumeration
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;

  // Starts listing the folder named by pattern: a folder, the platform's
  // separator and "*.*" (or "*"). Every entry comes back, "." and ".."
  // included when the file system lists them. POSIX takes no other wildcard.
  // Returns false, with nothing to enumerate, when the folder cannot be
  // listed (missing, not a folder, no access) or has no entry at all.
  virtual bool FindFile(const CString& pattern);

  // Starts listing the current entry of parent, a folder, from the folder
  // parent lists: POSIX opens it relative to that folder's descriptor and
  // never through a link, so a folder swapped for a link meanwhile is not
  // entered; Windows lists it by its path. Returns false as FindFile does.
  bool FindSubfolder(const CFileFind& parent);

  // Moves to the next entry. Returns true when more entries follow it, false
  // when it is the last one. REQUIRES: FindFile returned true and no earlier
  // call returned false.
  virtual bool FindNextFile();

  // Ends the enumeration; the entry queries are then invalid.
  virtual void Close();

  // The entry's name (no folder), and its full path: the listed folder, the
  // separator and the name.
  virtual CString GetFileName() const;
  virtual CString GetFilePath() const;
  // The listed folder as it was given to FindFile.
  virtual CString GetRoot() const;

  virtual bool IsDots() const;  // "." or ".."

  // True when the entry has any of the FILE_ATTRIBUTE_* bits of mask. POSIX
  // meanings: directory = a folder, or a link whose target is a folder (as
  // for a Windows directory link); reparse point = a symbolic link;
  // read-only = no owner write bit; hidden = the name starts with "."; archive
  // = a regular file.
  // Windows gives all the bits of the entry; POSIX never sets system, normal,
  // temporary or compressed.
  virtual bool MatchesMask(uint32_t mask) const;
  bool IsDirectory() const;
  // A symbolic link, junction or other reparse point: its own name is the
  // entry; what it points to is no part of the tree.
  bool IsReparsePoint() const;

  // Size in bytes of the entry itself (a link's own size; 0 for a folder).
  virtual unsigned long long GetLength() const;

  // The entry's own creation, last access and last write times as file
  // times (file_time.h). POSIX: the creation time is the birth time where
  // the file system records one, else 0; all three come from the one status
  // call that GetLength and the read-only bit share. False, with a zero
  // time, when the entry can no longer be examined.
  virtual bool GetCreationTime(CFileTimeHalves& time) const;
  virtual bool GetLastAccessTime(CFileTimeHalves& time) const;
  virtual bool GetLastWriteTime(CFileTimeHalves& time) const;

  // The operations a cleanup run performs on the entry, relative to the
  // listed folder on POSIX (by its path on Windows), so that they reach this
  // very entry even when a folder above it has been swapped for a link.
  // Each records the OS error for PlatformLastError().
  //
  // Moves the entry into folder under name; never replaces, never copies
  // across volumes. Returns 1 on success and 0 on failure.
  int MoveEntry(const CFolderHandle& folder, const CString& name) const;
  // Moves the item name of folder back to where this entry was listed: the
  // undo of MoveEntry. Never replaces. Returns 1 on success and 0 on failure.
  int ReturnEntry(const CFolderHandle& folder, const CString& name) const;
  // SetFileAttributes on the entry itself; a link is left as it is. POSIX:
  // the mode it changes is the one the entry's queries read (one status
  // read per entry), and the queries then see the change.
  bool SetEntryAttributes(uint32_t attributes) const;
  // The identity of the entry itself (a link is not followed).
  bool GetEntryIdentity(CFileIdentity& identity) const;

  struct Impl;

 private:
  std::unique_ptr<Impl> m_pImpl;
};
