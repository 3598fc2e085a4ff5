#include "platform/testing/faulty_disk.h"

void CFaultyDisk::Fail(DiskCall kind, int nth, long error, bool sticky) {
  m_faults[kind] = CFault{Calls(kind) + nth, error, sticky};
}

int CFaultyDisk::Calls(DiskCall kind) const {
  const auto it = m_calls.find(kind);
  return it == m_calls.end() ? 0 : it->second;
}

bool CFaultyDisk::Strikes(DiskCall kind) {
  const int call = ++m_calls[kind];
  const auto it = m_faults.find(kind);
  m_bLastFailed = it != m_faults.end() &&
                  (call == it->second.nCall || (it->second.bSticky && call > it->second.nCall));
  if (m_bLastFailed) m_nLastError = it->second.nError;
  return m_bLastFailed;
}

bool CFaultyDisk::ListFolder(const CString& folder, CFileFind& find) {
  return !Strikes(DiskCall::kList) && CDiskWrapper::ListFolder(folder, find);
}

bool CFaultyDisk::GetAttributes(const CString& path, uint32_t& attributes) {
  return !Strikes(DiskCall::kGetAttributes) && CDiskWrapper::GetAttributes(path, attributes);
}

bool CFaultyDisk::SetAttributes(const CString& path, uint32_t attributes) {
  return !Strikes(DiskCall::kSetAttributes) && CDiskWrapper::SetAttributes(path, attributes);
}

bool CFaultyDisk::CreateFolder(const CString& path) {
  return !Strikes(DiskCall::kCreateFolder) && CDiskWrapper::CreateFolder(path);
}

bool CFaultyDisk::MoveNoReplace(const CString& from, const CString& to) {
  return !Strikes(DiskCall::kMove) && CDiskWrapper::MoveNoReplace(from, to);
}

bool CFaultyDisk::GetIdentity(const CString& path, CFileIdentity& identity) {
  return !Strikes(DiskCall::kIdentity) && CDiskWrapper::GetIdentity(path, identity);
}

long CFaultyDisk::LastError() { return m_bLastFailed ? m_nLastError : CDiskWrapper::LastError(); }
