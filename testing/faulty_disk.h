// CFaultyDisk: a disk that fails chosen calls. Every listing, folder
// opening, attribute change, move and removal is counted by its kind; a call
// chosen to fail returns false with the chosen OS error and never reaches
// the disk below. Everything else is forwarded.
#pragma once

#include <map>

#include "platform/fs/disk_interface.h"

enum class DiskCall { kList, kOpenFolder, kSetAttributes, kMove, kRemove };

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
  bool OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) override;
  bool SetEntryAttributes(const CFileFind& entry, uint32_t attributes) override;
  bool MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override;
  bool ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override;
  bool OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) override;
  bool MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                const CString& toName) override;
  bool RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) override;
  bool RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) override;
  // An exclusive creation counts as a kOpenFolder call.
  CFolderResult MakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) override;
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
