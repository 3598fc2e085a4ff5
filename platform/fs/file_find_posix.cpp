#include "platform/fs/file_find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/fs/file_system_posix.h"
#include "platform/fs/folder_handle.h"
#include "platform/fs/listed_folder.h"
#include "platform/posix_text.h"

namespace {

// The pattern's folder part with its trailing separator, or false when the
// last component is a wildcard other than "*.*" or "*".
bool SplitPattern(const CString& pattern, CString& prefix) {
  const size_t slash = pattern.find_last_of(L'/');
  const CString tail = slash == CString::npos ? pattern : pattern.substr(slash + 1);
  if (tail != L"*.*" && tail != L"*") return false;
  prefix = slash == CString::npos ? CString() : pattern.substr(0, slash + 1);
  return true;
}

}  // namespace

struct CFileFind::Impl {
  struct Entry {
    std::string native;  // the name as the kernel gave it
    unsigned char type = DT_UNKNOWN;
  };

  // The folder's descriptor, held while the listing lives: every query and
  // operation on an entry is made relative to it. The names were read at
  // the start and the folder's stream closed again, so a listing holds a
  // descriptor and its names, not a stream buffer.
  int fd = -1;
  std::shared_ptr<const CListedFolder> folder;
  std::vector<Entry> entries;
  size_t index = 0;  // of the current entry, once FindNextFile was called
  bool started = false;

  // Filled on demand for the current entry.
  mutable bool statDone = false;
  mutable bool statOk = false;
  mutable CPosixStatus st;
  mutable int targetIsDir = -1;  // -1: not asked yet

  ~Impl() {
    if (fd >= 0) ::close(fd);
  }

  const Entry& Current() const { return entries[index]; }

  const CPosixStatus* LinkStatus() const {
    if (!statDone) {
      statDone = true;
      statOk = StatusAt(fd, Current().native.c_str(), st);
    }
    return statOk ? &st : nullptr;
  }

  unsigned char Type() const {
    if (Current().type != DT_UNKNOWN) return Current().type;
    const CPosixStatus* s = LinkStatus();
    if (s == nullptr) return DT_UNKNOWN;
    if (S_ISDIR(s->nMode)) return DT_DIR;
    if (S_ISLNK(s->nMode)) return DT_LNK;
    if (S_ISREG(s->nMode)) return DT_REG;
    return DT_UNKNOWN;
  }

  // One of the entry's times, or false and 0.
  bool Time(CFileTimeHalves CPosixStatus::*which, CFileTimeHalves& time) const {
    const CPosixStatus* s = LinkStatus();
    time = s != nullptr ? s->*which : CFileTimeHalves();
    return s != nullptr;
  }

  bool LinkTargetIsDir() const {
    if (targetIsDir < 0) {
      struct stat target {};
      targetIsDir = ::fstatat(fd, Current().native.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    return targetIsDir == 1;
  }
};

namespace {

// Reads every name of the open folder fd (a second descriptor of it is
// used and closed). False, with errno, when it cannot be read.
bool ReadEntries(int fd, std::vector<CFileFind::Impl::Entry>& entries) {
  const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) return false;
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    const int error = errno;
    ::close(copy);
    errno = error;
    return false;
  }
  errno = 0;
  while (const dirent* e = ::readdir(dir)) entries.push_back(CFileFind::Impl::Entry{e->d_name, e->d_type});
  const int error = errno;
  ::closedir(dir);
  errno = error;
  return error == 0;
}

// A listing of the open folder fd (taken) positioned before its first
// entry, or null when it has none or cannot be read; the OS error is
// recorded either way (0 for an empty folder).
std::unique_ptr<CFileFind::Impl> StartListing(int fd, std::shared_ptr<const CListedFolder> folder) {
  if (fd < 0) {
    RecordPosixResult(false);
    return nullptr;
  }
  std::unique_ptr<CFileFind::Impl> impl(new CFileFind::Impl);
  impl->fd = fd;
  impl->folder = std::move(folder);
  if (!RecordPosixResult(ReadEntries(fd, impl->entries)) || impl->entries.empty()) return nullptr;
  return impl;
}

}  // namespace

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

bool CFileFind::FindFile(const CString& pattern) {
  Close();
  CString prefix;
  if (!SplitPattern(pattern, prefix)) return false;
  const std::string folder = prefix.empty() ? std::string(".") : ToNativePath(prefix);
  m_pImpl = StartListing(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), ListedSubfolder(nullptr, prefix));
  return m_pImpl != nullptr;
}

bool CFileFind::FindSubfolder(const CFileFind& parent) {
  Close();
  const Impl& p = *parent.m_pImpl;
  const int fd = ::openat(p.fd, p.Current().native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  m_pImpl = StartListing(fd, ListedSubfolder(p.folder, parent.GetFileName() + L"/"));
  return m_pImpl != nullptr;
}

bool CFileFind::FindNextFile() {
  Impl& d = *m_pImpl;
  if (d.started) ++d.index;
  d.started = true;
  d.statDone = false;
  d.targetIsDir = -1;
  return d.index + 1 < d.entries.size();
}

void CFileFind::Close() { m_pImpl.reset(); }

CString CFileFind::GetFileName() const { return FromNativePath(m_pImpl->Current().native); }

CString CFileFind::GetFilePath() const { return m_pImpl->folder->Path() + GetFileName(); }

CString CFileFind::GetRoot() const { return m_pImpl->folder->Path(); }

bool CFileFind::IsDots() const {
  const std::string& n = m_pImpl->Current().native;
  return n == "." || n == "..";
}

bool CFileFind::MatchesMask(uint32_t mask) const {
  const Impl& d = *m_pImpl;
  const unsigned char type = d.Type();
  uint32_t attributes = 0;
  if (type == DT_DIR || (type == DT_LNK && (mask & FILE_ATTRIBUTE_DIRECTORY) && d.LinkTargetIsDir()))
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if (type == DT_LNK) attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  if (type == DT_REG) attributes |= FILE_ATTRIBUTE_ARCHIVE;
  if (!d.Current().native.empty() && d.Current().native[0] == '.') attributes |= FILE_ATTRIBUTE_HIDDEN;
  if (mask & FILE_ATTRIBUTE_READONLY) {
    const CPosixStatus* s = d.LinkStatus();
    if (s != nullptr && !S_ISLNK(s->nMode) && !(s->nMode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  }
  return (attributes & mask) != 0;
}

unsigned long long CFileFind::GetLength() const {
  if (m_pImpl->Type() == DT_DIR) return 0;
  const CPosixStatus* s = m_pImpl->LinkStatus();
  return s != nullptr ? s->nSize : 0;
}

bool CFileFind::GetCreationTime(CFileTimeHalves& time) const {
  return m_pImpl->Time(&CPosixStatus::ftCreationTime, time);
}

bool CFileFind::GetLastAccessTime(CFileTimeHalves& time) const {
  return m_pImpl->Time(&CPosixStatus::ftLastAccessTime, time);
}

bool CFileFind::GetLastWriteTime(CFileTimeHalves& time) const {
  return m_pImpl->Time(&CPosixStatus::ftLastWriteTime, time);
}

int CFileFind::MoveEntry(const CFolderHandle& folder, const CString& name) const {
  const int target = static_cast<int>(folder.m_nHandle);
  if (!folder.IsOpen()) {
    errno = EBADF;
    return RecordPosixResult(false);
  }
  return MoveNoReplaceAt(m_pImpl->fd, m_pImpl->Current().native.c_str(), target,
                         ToNativePath(name).c_str()) ? 1 : 0;
}

int CFileFind::ReturnEntry(const CFolderHandle& folder, const CString& name) const {
  if (!folder.IsOpen()) {
    errno = EBADF;
    return RecordPosixResult(false);
  }
  return MoveNoReplaceAt(static_cast<int>(folder.m_nHandle), ToNativePath(name).c_str(), m_pImpl->fd,
                         m_pImpl->Current().native.c_str()) ? 1 : 0;
}

bool CFileFind::SetEntryAttributes(uint32_t attributes) const {
  const Impl& d = *m_pImpl;
  // The entry's own status, read once for its queries, serves here too and
  // follows the change, so that a second call sees the first.
  if (d.LinkStatus() == nullptr) return RecordPosixResult(false);
  return SetAttributesOfModeAt(d.fd, d.Current().native.c_str(), d.st.nMode, attributes);
}

bool CFileFind::GetEntryIdentity(CFileIdentity& identity) const {
  return IdentityAt(m_pImpl->fd, m_pImpl->Current().native.c_str(), identity);
}
