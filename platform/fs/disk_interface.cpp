#include "platform/fs/disk_interface.h"

#include "platform/fs/file_find.h"
#include "platform/sys/process.h"

namespace {

class CRealDisk : public CDiskInterface {
 public:
  bool ListFolder(const CString& folder, CFileFind& find) override {
    const bool ends = !folder.empty() && (folder.back() == PlatformPathSeparator() || folder.back() == L'/');
    return find.FindFile(ends ? folder + L"*.*" : folder + PlatformPathSeparator() + L"*.*");
  }
  bool ListSubfolder(const CFileFind& parent, CFileFind& find) override { return find.FindSubfolder(parent); }
  bool GetAttributes(const CString& path, uint32_t& attributes) override {
    return PlatformGetFileAttributes(path, attributes);
  }
  bool GetIdentity(const CString& path, CFileIdentity& identity) override {
    return PlatformFileIdentity(path, identity);
  }
  bool OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) override {
    return PlatformOpenPrivateFolder(parent, name, create, folder);
  }
  bool SetEntryAttributes(const CFileFind& entry, uint32_t attributes) override {
    return entry.SetEntryAttributes(attributes);
  }
  bool GetEntryIdentity(const CFileFind& entry, CFileIdentity& identity) override {
    return entry.GetEntryIdentity(identity);
  }
  bool MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override {
    return entry.MoveEntry(folder, name) == 1;
  }
  bool ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override {
    return entry.ReturnEntry(folder, name) == 1;
  }
  bool OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) override {
    return PlatformOpenFolder(parent, name, create, folder);
  }
  bool MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                const CString& toName) override {
    return PlatformMoveItem(from, fromName, to, toName);
  }
  bool RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) override {
    return PlatformRemoveEmptyFolder(parent, name);
  }
  bool RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) override {
    return PlatformRemoveTree(parent, name, stop);
  }
  CFolderResult MakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) override {
    return PlatformMakePrivateFolder(parent, name, folder);
  }
  CFolderResult LockFolder(CFolderHandle& folder, bool forDeletion) override {
    return PlatformLockFolder(folder, forDeletion);
  }
  long LastError() override { return PlatformLastError(); }
};

}  // namespace

CDiskInterface::~CDiskInterface() = default;

CDiskWrapper::CDiskWrapper(CDiskInterface& target) : m_target(target) {}

bool CDiskWrapper::ListFolder(const CString& folder, CFileFind& find) { return m_target.ListFolder(folder, find); }

bool CDiskWrapper::ListSubfolder(const CFileFind& parent, CFileFind& find) {
  return m_target.ListSubfolder(parent, find);
}

bool CDiskWrapper::GetAttributes(const CString& path, uint32_t& attributes) {
  return m_target.GetAttributes(path, attributes);
}

bool CDiskWrapper::GetIdentity(const CString& path, CFileIdentity& identity) {
  return m_target.GetIdentity(path, identity);
}

bool CDiskWrapper::OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) {
  return m_target.OpenPrivateFolder(parent, name, create, folder);
}

bool CDiskWrapper::SetEntryAttributes(const CFileFind& entry, uint32_t attributes) {
  return m_target.SetEntryAttributes(entry, attributes);
}

bool CDiskWrapper::GetEntryIdentity(const CFileFind& entry, CFileIdentity& identity) {
  return m_target.GetEntryIdentity(entry, identity);
}

bool CDiskWrapper::MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) {
  return m_target.MoveEntry(entry, folder, name);
}

bool CDiskWrapper::ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) {
  return m_target.ReturnEntry(entry, folder, name);
}

bool CDiskWrapper::OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  return m_target.OpenFolder(parent, name, create, folder);
}

bool CDiskWrapper::MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                            const CString& toName) {
  return m_target.MoveItem(from, fromName, to, toName);
}

bool CDiskWrapper::RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) {
  return m_target.RemoveEmptyFolder(parent, name);
}

bool CDiskWrapper::RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) {
  return m_target.RemoveTree(parent, name, stop);
}

CFolderResult CDiskWrapper::MakePrivateFolder(const CFolderHandle& parent, const CString& name,
                                              CFolderHandle& folder) {
  return m_target.MakePrivateFolder(parent, name, folder);
}

CFolderResult CDiskWrapper::LockFolder(CFolderHandle& folder, bool forDeletion) {
  return m_target.LockFolder(folder, forDeletion);
}

long CDiskWrapper::LastError() { return m_target.LastError(); }

CDiskInterface& RealDisk() {
  static CRealDisk disk;
  return disk;
}

bool ForEachEntry(CDiskInterface& disk, const CString& folder, const std::function<bool(const CFileFind&)>& onEntry) {
  CFileFind find;
  if (!disk.ListFolder(folder, find)) return false;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    if (!find.IsDots() && !onEntry(find)) break;
  }
  return true;
}
