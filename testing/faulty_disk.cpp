#include "testing/faulty_disk.h"

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

bool CFaultyDisk::ListSubfolder(const CFileFind& parent, CFileFind& find) {
  return !Strikes(DiskCall::kList) && CDiskWrapper::ListSubfolder(parent, find);
}

bool CFaultyDisk::OpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create,
                         CFolderHandle& folder) {
  return !Strikes(DiskCall::kOpenFolder) && CDiskWrapper::OpenPrivateFolder(parent, name, create, folder);
}

bool CFaultyDisk::SetEntryAttributes(const CFileFind& entry, uint32_t attributes) {
  return !Strikes(DiskCall::kSetAttributes) && CDiskWrapper::SetEntryAttributes(entry, attributes);
}

bool CFaultyDisk::MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) {
  return !Strikes(DiskCall::kMove) && CDiskWrapper::MoveEntry(entry, folder, name);
}

bool CFaultyDisk::ReturnEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) {
  return !Strikes(DiskCall::kMove) && CDiskWrapper::ReturnEntry(entry, folder, name);
}

bool CFaultyDisk::OpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  return !Strikes(DiskCall::kOpenFolder) && CDiskWrapper::OpenFolder(parent, name, create, folder);
}

bool CFaultyDisk::MoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                           const CString& toName) {
  return !Strikes(DiskCall::kMove) && CDiskWrapper::MoveItem(from, fromName, to, toName);
}

bool CFaultyDisk::RemoveEmptyFolder(const CFolderHandle& parent, const CString& name) {
  return !Strikes(DiskCall::kRemove) && CDiskWrapper::RemoveEmptyFolder(parent, name);
}

CFolderResult CFaultyDisk::MakePrivateFolder(const CFolderHandle& parent, const CString& name,
                                             CFolderHandle& folder) {
  if (Strikes(DiskCall::kOpenFolder)) return CFolderResult::kFailed;
  return CDiskWrapper::MakePrivateFolder(parent, name, folder);
}

bool CFaultyDisk::RemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) {
  return !Strikes(DiskCall::kRemove) && CDiskWrapper::RemoveTree(parent, name, stop);
}

long CFaultyDisk::LastError() { return m_bLastFailed ? m_nLastError : CDiskWrapper::LastError(); }
