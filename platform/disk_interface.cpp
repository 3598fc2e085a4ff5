#include "platform/disk_interface.h"

#include "platform/file_find.h"
#include "platform/process.h"

namespace {

class CRealDisk : public CDiskInterface {
 public:
  bool ListFolder(const CString& folder, CFileFind& find) override {
    return find.FindFile(folder + PlatformPathSeparator() + L"*.*");
  }
  bool GetAttributes(const CString& path, uint32_t& attributes) override {
    return PlatformGetFileAttributes(path, attributes);
  }
  bool SetAttributes(const CString& path, uint32_t attributes) override {
    return PlatformSetFileAttributes(path, attributes);
  }
  bool CreateFolder(const CString& path) override { return PlatformCreateDirectory(path); }
  bool MoveNoReplace(const CString& from, const CString& to) override { return PlatformMoveFile(from, to) == 1; }
  bool GetIdentity(const CString& path, CFileIdentity& identity) override {
    return PlatformFileIdentity(path, identity);
  }
  long LastError() override { return PlatformLastError(); }
};

}  // namespace

CDiskInterface::~CDiskInterface() = default;

CDiskWrapper::CDiskWrapper(CDiskInterface& target) : m_target(target) {}

bool CDiskWrapper::ListFolder(const CString& folder, CFileFind& find) { return m_target.ListFolder(folder, find); }

bool CDiskWrapper::GetAttributes(const CString& path, uint32_t& attributes) {
  return m_target.GetAttributes(path, attributes);
}

bool CDiskWrapper::SetAttributes(const CString& path, uint32_t attributes) {
  return m_target.SetAttributes(path, attributes);
}

bool CDiskWrapper::CreateFolder(const CString& path) { return m_target.CreateFolder(path); }

bool CDiskWrapper::MoveNoReplace(const CString& from, const CString& to) { return m_target.MoveNoReplace(from, to); }

bool CDiskWrapper::GetIdentity(const CString& path, CFileIdentity& identity) {
  return m_target.GetIdentity(path, identity);
}

long CDiskWrapper::LastError() { return m_target.LastError(); }

CDiskInterface& RealDisk() {
  static CRealDisk disk;
  return disk;
}
