// CFolderHandle: a folder held open, so that what is made or moved into it
// lands in that very folder, whatever happens to its path afterwards. POSIX:
// a descriptor opened without following a link. Windows: the folder's path,
// found to be a real folder (no reparse point) when it was opened, and,
// once locked, a handle of it.
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

  intptr_t m_nHandle = -1;  // POSIX: the descriptor; Windows: the lock's handle, or -1
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

// What an exclusive creation or a lock came to.
enum class CFolderResult {
  kDone,     // made (and opened), or locked
  kTaken,    // an item of that name exists already; the folder is locked by another
  kFailed,   // anything else (PlatformLastError() says what)
};

// Makes the folder `name` inside parent, mode 0700, only when nothing of
// that name is there (never an existing one), and opens it as
// PlatformOpenPrivateFolder does.
CFolderResult PlatformMakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder);

// Locks an open folder for as long as it stays open (Close ends the lock):
// POSIX an exclusive advisory lock on its descriptor (flock, never
// waiting), so one holder at a time; Windows a handle of it. A run's lock
// (forDeletion false) does not share deletion, so nobody can delete the
// folder meanwhile; a lock for deletion asks to delete and shares
// everything, so it fails while a run holds the folder (Windows: it is
// only that test; the handle is closed again, as no run takes an existing
// folder). kTaken when another holds it.
CFolderResult PlatformLockFolder(CFolderHandle& folder, bool forDeletion);

// Opens the folder `name` inside parent, which must be a real folder (never a
// link, junction or other reparse point), or the folder at the path `name`
// when parent is null (links along that path are followed, as a path typed
// by the user is). A folder missing inside parent is made when create is true
// (one level; POSIX mode 0777 less the umask). False, with the OS error in
// PlatformLastError(), otherwise.
bool PlatformOpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder);

// Moves the item fromName of from (a link as itself) to toName in to, on the
// same volume. Never replaces an existing item, never copies.
bool PlatformMoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                      const CString& toName);

// Removes the folder `name` of parent when it is empty; false otherwise.
bool PlatformRemoveEmptyFolder(const CFolderHandle& parent, const CString& name);

// Where a removal stopped: the first item it left, as a path below parent
// ("name/sub/item"), and why.
struct CRemoveStop {
  enum Reason {
    kNone,
    kOtherFileSystem,  // a folder on another file system (a mount point, also a bind mount)
    kLink,             // a link that cannot be deleted as itself
    kError,            // an OS error (nError)
  };
  Reason nReason = kNone;
  CString strPath;
  long nError = 0;
};

// Deletes the item `name` of parent for good and, when it is a real folder,
// everything in it. A link, junction or other reparse point is deleted as
// itself, never followed or entered; a folder on another file system than
// parent (another device, or the root of a mount, as a bind mount is) is
// never entered and stays; a folder or file that is read-only for its owner
// is made writable first. POSIX: relative to open descriptors (unlinkat).
// Returns false when anything could not be deleted (what could is gone),
// with the first item that stayed in stop. Where links cannot be deleted as
// themselves (PlatformDeletesLinksAsThemselves), they and the folders
// holding them stay.
bool PlatformRemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop);

// False only under Wine, which shows a Unix link as a reparse point but,
// asked to delete it, deletes what it points to.
bool PlatformDeletesLinksAsThemselves();
