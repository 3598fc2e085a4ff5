#include "platform/ftp_file_find.h"

#include <utility>

CFtpFileFind::CFtpFileFind() = default;

CFtpFileFind::~CFtpFileFind() = default;

bool CFtpFileFind::FindFile(const CString&) {
  Close();
  return false;
}

bool CFtpFileFind::FindNextFile() {
  ++m_nNext;
  return m_nNext < m_entries.size();
}

void CFtpFileFind::Close() {
  m_strRoot.clear();
  m_entries.clear();
  m_nNext = 0;
}

bool CFtpFileFind::SetListing(const CString& root, std::vector<CFtpFileEntry> entries) {
  m_strRoot = root;
  m_entries = std::move(entries);
  m_nNext = 0;
  return !m_entries.empty();
}

const CFtpFileEntry& CFtpFileFind::Current() const { return m_entries[m_nNext - 1]; }

CString CFtpFileFind::GetFileName() const { return Current().strName; }

CString CFtpFileFind::GetFilePath() const {
  if (m_strRoot.empty() || m_strRoot.back() == L'/') return m_strRoot + Current().strName;
  return m_strRoot + L'/' + Current().strName;
}

CString CFtpFileFind::GetRoot() const { return m_strRoot; }

bool CFtpFileFind::IsDots() const {
  const CString& name = Current().strName;
  return name == L"." || name == L"..";
}

bool CFtpFileFind::MatchesMask(uint32_t mask) const { return (Current().nAttributes & mask) != 0; }

uint64_t CFtpFileFind::GetLength() const { return Current().nLength; }

bool CFtpFileFind::GetCreationTime(CFileTimeHalves& time) const {
  time = Current().ftCreationTime;
  return true;
}

bool CFtpFileFind::GetLastAccessTime(CFileTimeHalves& time) const {
  time = Current().ftLastAccessTime;
  return true;
}

bool CFtpFileFind::GetLastWriteTime(CFileTimeHalves& time) const {
  time = Current().ftLastWriteTime;
  return true;
}
