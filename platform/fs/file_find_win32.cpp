#include "platform/fs/file_find.h"

#include <windows.h>

#include "platform/fs/file_system_win32.h"
#include "platform/fs/folder_handle.h"
#include "platform/fs/listed_folder.h"
#include "platform/fs/win32_long_path.h"

// The Windows headers map FindNextFile to FindNextFileW; ours is a method.
#undef FindNextFile

struct CFileFind::Impl {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::shared_ptr<const CListedFolder> folder;
  WIN32_FIND_DATAW current{};
  WIN32_FIND_DATAW next{};
};

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

namespace {

// Starts listing pattern for the folder link `folder`; the OS error is
// recorded either way.
std::unique_ptr<CFileFind::Impl> StartListing(const CString& pattern, std::shared_ptr<const CListedFolder> folder) {
  std::unique_ptr<CFileFind::Impl> impl(new CFileFind::Impl);
  impl->handle = ::FindFirstFileW(LongPathOf(pattern).c_str(), &impl->next);
  if (!RecordWin32Result(impl->handle != INVALID_HANDLE_VALUE)) return nullptr;
  impl->folder = std::move(folder);
  return impl;
}

}  // namespace

bool CFileFind::FindFile(const CString& pattern) {
  Close();
  const size_t slash = pattern.find_last_of(L"\\/");
  const CString prefix = slash == CString::npos ? CString() : pattern.substr(0, slash + 1);
  m_pImpl = StartListing(pattern, ListedSubfolder(nullptr, prefix));
  return m_pImpl != nullptr;
}

bool CFileFind::FindSubfolder(const CFileFind& parent) {
  Close();
  m_pImpl = StartListing(parent.GetFilePath() + L"\\*.*",
                         ListedSubfolder(parent.m_pImpl->folder, parent.GetFileName() + L"\\"));
  return m_pImpl != nullptr;
}

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

CString CFileFind::GetFilePath() const { return m_pImpl->folder->Path() + m_pImpl->current.cFileName; }

CString CFileFind::GetRoot() const { return m_pImpl->folder->Path(); }

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

int CFileFind::ReturnEntry(const CFolderHandle& folder, const CString& name) const {
  return PlatformMoveFile(folder.GetPath() + L"\\" + name, GetFilePath());
}

bool CFileFind::SetEntryAttributes(uint32_t attributes) const {
  return PlatformSetFileAttributes(GetFilePath(), attributes);
}

bool CFileFind::GetEntryIdentity(CFileIdentity& identity) const { return PlatformFileIdentity(GetFilePath(), identity); }
