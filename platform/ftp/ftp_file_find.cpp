#include "platform/ftp/ftp_file_find.h"

#include <algorithm>
#include <utility>

#include "platform/encoding.h"
#include "platform/ftp/ftp_url.h"

namespace {

bool IsFtpUrl(const CString& text) { return text.size() >= 6 && CompareNoCase(text.substr(0, 6), L"ftp://") == 0; }

CFtpFileEntry EntryOf(const CFtpListEntry& listed) {
  CFtpFileEntry entry;
  entry.strName = listed.strName;
  entry.nAttributes = listed.nAttributes;
  entry.nLength = listed.nSize;
  entry.ftCreationTime = CFileTime(listed.nCreationTime).GetHalves();
  entry.ftLastAccessTime = CFileTime(listed.nLastAccessTime).GetHalves();
  entry.ftLastWriteTime = CFileTime(listed.nLastWriteTime).GetHalves();
  return entry;
}

}  // namespace

CFtpFileFind::CFtpFileFind(const CString& server, const CFtpListLimits& limits)
    : m_strServer(server), m_limits(limits) {}

CFtpFileFind::~CFtpFileFind() = default;

CString CFtpFileFind::UrlOf(const CString& pattern) const {
  if (IsFtpUrl(pattern)) return pattern;
  if (m_strServer.empty()) return CString();
  CString folder = pattern;
  std::replace(folder.begin(), folder.end(), L'\\', L'/');
  folder.erase(0, folder.find_first_not_of(L'/'));
  // A "%" of a folder name is that character, not the start of an escape.
  ReplaceAll(folder, L"%", L"%25");
  CString server = m_strServer;
  while (!server.empty() && server.back() == L'/') server.pop_back();
  return server + L"/" + folder;
}

bool CFtpFileFind::FindFile(const CString& pattern) {
  Close();
  m_error = CFtpListError();
  const CString url = UrlOf(pattern);
  CFtpUrl parts;
  if (url.empty() || !ParseFtpUrl(NarrowToUtf8(url), parts)) {
    m_error.nCode = -1;
    m_error.strText = L"No FTP folder: " + pattern;
    return false;
  }
  std::vector<CFtpListEntry> listed;
  if (!ListFtpFolder(url, m_limits, listed, &m_error)) return false;
  CString root = L"/";
  for (const std::string& folder : parts.folders) root += WidenFromUtf8(folder) + L"/";
  std::vector<CFtpFileEntry> entries;
  entries.reserve(listed.size());
  for (const CFtpListEntry& entry : listed) entries.push_back(EntryOf(entry));
  return SetListing(root, std::move(entries));
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

const CFtpListError& CFtpFileFind::GetListError() const { return m_error; }

bool CFtpFileFind::IsDots() const {
  const CString& name = Current().strName;
  return name == L"." || name == L"..";
}

bool CFtpFileFind::MatchesMask(uint32_t mask) const { return (Current().nAttributes & mask) != 0; }

unsigned long long CFtpFileFind::GetLength() const { return Current().nLength; }

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
