// CFaultyDisk: a disk that fails chosen calls. Every call is counted by its
// kind; a call chosen to fail returns false with the chosen OS error and
// never reaches the disk below. Everything else is forwarded.
#pragma once

#include <map>

#include "platform/fs/disk_interface.h"

enum class DiskCall { kList, kGetAttributes, kIdentity, kOpenFolder, kSetAttributes, kMove, kRemove, kLock };

class CFaultyDisk : public CDiskWrapper {
 public:
  explicit CFaultyDisk(CDiskInterface& target = RealDisk()) : CDiskWrapper(target) {}

  // The nth call of kind from now on (1 = the next one) fails with error;
  // every call after it as well when sticky.
  void Fail(DiskCall kind, int nth, long error, bool sticky = false);
  // How many calls of kind were made since the wrapper was made.
  int Calls(DiskCall kind) const;

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
  // An exclusive creation counts as a kOpenFolder call, a lock as kLock.
  CFolderResult MakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) override;
  CFolderResult LockFolder(CFolderHandle& folder, bool forDeletion) override;
  long LastError() override;

 private:
  struct CFault {
    int nCall;  // the count of its kind at which it strikes
    long nError;
    bool bSticky;
  };
  // Counts the call; true when it is to fail (and LastError is then set).
  bool Strikes(DiskCall kind);

  std::map<DiskCall, int> m_calls;
  std::map<DiskCall, CFault> m_faults;
  bool m_bLastFailed = false;
  long m_nLastError = 0;
};
