// CDiskInterface: the file-system operations a cleanup run performs, behind
// one narrow interface, so that a test can wrap the real disk and make any
// call fail (testing/faulty_disk.h). RealDisk() is the disk itself,
// through the platform layer (file_find.h, file_system.h, folder_handle.h).
//
// Below the source folder every operation is made on a listed entry,
// relative to the folder that lists it, never by reopening a path: a folder
// of the tree swapped for a link during a run leads nowhere outside it.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/cstring.h"
#include "platform/fs/file_system.h"
#include "platform/fs/folder_handle.h"

class CFileFind;

class CDiskInterface {
 public:
  virtual ~CDiskInterface();

  // Starts listing the folder at a path in find (CFileFind::FindFile on the
  // folder, the separator unless it ends in one, and "*.*"). False: nothing
  // to list (missing, no access, empty; LastError() tells which).
  virtual bool ListFolder(const CString& folder, CFileFind& find) = 0;
  // Starts listing the current entry of parent, a folder, in find
  // (CFileFind::FindSubfolder). False as ListFolder.
  virtual bool ListSubfolder(const CFileFind& parent, CFileFind& find) = 0;
  // The FILE_ATTRIBUTE_* bits of path itself; false when it cannot be read.
  virtual bool GetAttributes(const CString& path, uint32_t& attributes) = 0;
  // The identity of the item at path itself (a final link is not followed).
  virtual bool GetIdentity(const CString& path, CFileIdentity& identity) = 0;
  // Opens (making it when missing and create is true) a folder for this
  // user's private use (PlatformOpenPrivateFolder). False when it cannot be made or must not be
  // used.
  virtual bool OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) = 0;
  // The operations on the current entry of a listing: its attributes, its
  // identity, and a move into folder under name that never replaces an
  // existing item and never copies. False when they fail.
  virtual bool SetEntryAttributes(const CFileFind& entry, uint32_t attributes) = 0;
  virtual bool GetEntryIdentity(const CFileFind& entry, CFileIdentity& identity) = 0;
  virtual bool MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) = 0;
  // The undo of MoveEntry: name in folder goes back to the entry's place.
  virtual bool ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) = 0;
  // The operations of a restore and a purge, relative to open folders
  // (folder_handle.h): PlatformOpenFolder, PlatformMoveItem (never replaces),
  // PlatformRemoveEmptyFolder and PlatformRemoveTree (links deleted as
  // themselves, never followed). False when they fail.
  virtual bool OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) = 0;
  virtual bool MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                        const CString& toName) = 0;
  virtual bool RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) = 0;
  virtual bool RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) = 0;
  // A run's batch folder and purge's hold on one: PlatformMakePrivateFolder
  // (exclusive creation) and PlatformLockFolder.
  virtual CFolderResult MakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) = 0;
  virtual CFolderResult LockFolder(CFolderHandle& folder, bool forDeletion) = 0;
  // The OS error of the last failed call on this thread, 0 after a success.
  virtual long LastError() = 0;
};

// Forwards every call to another disk; a test derives from it and changes
// only the calls it cares about.
class CDiskWrapper : public CDiskInterface {
 public:
  // REQUIRES: target outlives the wrapper.
  explicit CDiskWrapper(CDiskInterface& target);

  bool ListFolder(const CString& folder, CFileFind& find) override;
  bool ListSubfolder(const CFileFind& parent, CFileFind& find) override;
  bool GetAttributes(const CString& path, uint32_t& attributes) override;
  bool GetIdentity(const CString& path, CFileIdentity& identity) override;
  bool OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) override;
  bool SetEntryAttributes(const CFileFind& entry, uint32_t attributes) override;
  bool GetEntryIdentity(const CFileFind& entry, CFileIdentity& identity) override;
  bool MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override;
  bool ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override;
  bool OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) override;
  bool MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                const CString& toName) override;
  bool RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) override;
  bool RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) override;
  CFolderResult MakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) override;
  CFolderResult LockFolder(CFolderHandle& folder, bool forDeletion) override;
  long LastError() override;

 protected:
  CDiskInterface& m_target;
};

// The real disk; one object for the whole process, holding no state.
CDiskInterface& RealDisk();

// Lists folder on disk and calls onEntry for each entry but "." and "..",
// in the listing's order, until onEntry returns false. False when the folder
// cannot be listed (disk.LastError() says why).
bool ForEachEntry(CDiskInterface& disk, const CString& folder, const std::function<bool(const CFileFind&)>& onEntry);
