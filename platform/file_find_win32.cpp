#include "platform/file_find.h"

#include <windows.h>

#include "platform/folder_handle.h"
#include "platform/win32_long_path.h"

// The Windows headers map FindNextFile to FindNextFileW; ours is a method.
#undef FindNextFile

struct CFileFind::Impl {
  HANDLE handle = INVALID_HANDLE_VALUE;
  CString prefix;
  WIN32_FIND_DATAW current{};
  WIN32_FIND_DATAW next{};
};

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

bool CFileFind::FindFile(const CString& pattern) {
  Close();
  std::unique_ptr<Impl> impl(new Impl);
  impl->handle = ::FindFirstFileW(LongPathOf(pattern).c_str(), &impl->next);
  if (impl->handle == INVALID_HANDLE_VALUE) return false;
  const size_t slash = pattern.find_last_of(L"\\/");
  impl->prefix = slash == CString::npos ? CString() : pattern.substr(0, slash + 1);
  m_pImpl = std::move(impl);
  return true;
}

bool CFileFind::FindSubfolder(const CFileFind& parent) { return FindFile(parent.GetFilePath() + L"\\*.*"); }

bool CFileFind::FindNextFile() {
  Impl& d = *m_pImpl;
  d.current = d.next;
  return ::FindNextFileW(d.handle, &d.next) != FALSE;
}

void CFileFind::Close() {
  if (m_pImpl && m_pImpl->handle != INVALID_HANDLE_VALUE) ::FindClose(m_pImpl->handle);
  m_pImpl.reset();
}

CString CFileFind::GetFileName() const { return m_pImpl->current.cFileName; }

CString CFileFind::GetFilePath() const { return m_pImpl->prefix + m_pImpl->current.cFileName; }

CString CFileFind::GetRoot() const { return m_pImpl->prefix; }

bool CFileFind::IsDots() const {
  const wchar_t* n = m_pImpl->current.cFileName;
  return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0));
}

bool CFileFind::MatchesMask(uint32_t mask) const { return (m_pImpl->current.dwFileAttributes & mask) != 0; }

unsigned long long CFileFind::GetLength() const {
  const WIN32_FIND_DATAW& d = m_pImpl->current;
  return (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

namespace {

bool Halves(const FILETIME& from, CFileTimeHalves& time) {
  time = CFileTimeHalves{from.dwLowDateTime, from.dwHighDateTime};
  return true;
}

}  // namespace

bool CFileFind::GetCreationTime(CFileTimeHalves& time) const { return Halves(m_pImpl->current.ftCreationTime, time); }

bool CFileFind::GetLastAccessTime(CFileTimeHalves& time) const {
  return Halves(m_pImpl->current.ftLastAccessTime, time);
}

bool CFileFind::GetLastWriteTime(CFileTimeHalves& time) const { return Halves(m_pImpl->current.ftLastWriteTime, time); }

int CFileFind::MoveEntry(const CFolderHandle& folder, const CString& name) const {
  return PlatformMoveFile(GetFilePath(), folder.GetPath() + L"\\" + name);
}

bool CFileFind::SetEntryAttributes(uint32_t attributes) const {
  return PlatformSetFileAttributes(GetFilePath(), attributes);
}

bool CFileFind::GetEntryIdentity(CFileIdentity& identity) const { return PlatformFileIdentity(GetFilePath(), identity); }
