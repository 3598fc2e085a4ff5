// CDiskInterface: the file-system operations a cleanup run performs, behind
// one narrow interface, so that a test can wrap the real disk and make any
// call fail (platform/testing/faulty_disk.h). RealDisk() is the disk itself,
// through the platform layer (file_system.h, file_find.h).
#pragma once

#include <cstdint>

#include "platform/cstring.h"
#include "platform/file_system.h"

class CFileFind;

class CDiskInterface {
 public:
  virtual ~CDiskInterface();

  // Starts listing folder in find (CFileFind::FindFile on the folder, the
  // separator and "*.*"). False: nothing to list (missing, no access, empty).
  virtual bool ListFolder(const CString& folder, CFileFind& find) = 0;
  // The FILE_ATTRIBUTE_* bits of path itself; false when it cannot be read.
  virtual bool GetAttributes(const CString& path, uint32_t& attributes) = 0;
  // False when the attributes cannot be changed.
  virtual bool SetAttributes(const CString& path, uint32_t attributes) = 0;
  // Creates one folder (its parent must exist); false when it cannot, or
  // when something is already there.
  virtual bool CreateFolder(const CString& path) = 0;
  // Moves a file, folder or link on one volume. Never replaces an existing
  // item and never copies; false when the item did not move.
  virtual bool MoveNoReplace(const CString& from, const CString& to) = 0;
  // The identity of the item at path itself (a final link is not followed).
  virtual bool GetIdentity(const CString& path, CFileIdentity& identity) = 0;
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
  bool GetAttributes(const CString& path, uint32_t& attributes) override;
  bool SetAttributes(const CString& path, uint32_t attributes) override;
  bool CreateFolder(const CString& path) override;
  bool MoveNoReplace(const CString& from, const CString& to) override;
  bool GetIdentity(const CString& path, CFileIdentity& identity) override;
  long LastError() override;

 protected:
  CDiskInterface& m_target;
};

// The real disk; one object for the whole process, holding no state.
CDiskInterface& RealDisk();
