// CFolderHandle: a folder held open, so that what is made or moved into it
// lands in that very folder, whatever happens to its path afterwards. POSIX:
// a descriptor opened without following a link. Windows: the folder's path,
// found to be a real folder (no reparse point) when it was opened.
#pragma once

#include <cstdint>

#include "platform/cstring.h"

class CFolderHandle {
 public:
  CFolderHandle();
  ~CFolderHandle();  // closes it
  CFolderHandle(CFolderHandle&& other) noexcept;
  CFolderHandle& operator=(CFolderHandle&& other) noexcept;
  CFolderHandle(const CFolderHandle&) = delete;
  CFolderHandle& operator=(const CFolderHandle&) = delete;

  bool IsOpen() const;
  // The path the folder had when it was opened.
  const CString& GetPath() const;
  void Close();

  intptr_t m_nHandle = -1;  // POSIX: the descriptor; Windows: unused
  CString m_strPath;        // empty while closed
};

// Opens, for the private use of the user running the program, the folder
// `name` inside parent, or the folder at the path `name` when parent is null,
// making it (mode 0700) when it is missing and create is true. An existing folder serves only
// when it is a real folder (not a link), owned by the user, not writable by
// others, and not writable by its group unless that group is the user's
// primary group (POSIX; Windows: a folder that is no reparse point). False,
// with the OS error in PlatformLastError(), otherwise.
bool PlatformOpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder);
