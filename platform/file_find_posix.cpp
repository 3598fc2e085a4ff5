#include "platform/file_find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/file_system_posix.h"
#include "platform/folder_handle.h"
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

  DIR* dir = nullptr;
  CString prefix;
  Entry current;
  Entry next;
  bool hasNext = false;

  // Filled on demand for the current entry.
  mutable bool statDone = false;
  mutable bool statOk = false;
  mutable CPosixStatus st;
  mutable int targetIsDir = -1;  // -1: not asked yet

  bool ReadNext() {
    const dirent* e = ::readdir(dir);
    if (e == nullptr) return false;
    next.native.assign(e->d_name);
    next.type = e->d_type;
    return true;
  }

  const CPosixStatus* LinkStatus() const {
    if (!statDone) {
      statDone = true;
      statOk = StatusAt(::dirfd(dir), current.native.c_str(), st);
    }
    return statOk ? &st : nullptr;
  }

  unsigned char Type() const {
    if (current.type != DT_UNKNOWN) return current.type;
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
      targetIsDir = ::fstatat(::dirfd(dir), current.native.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    return targetIsDir == 1;
  }
};

namespace {

// A listing of dir positioned before its first entry, or null (dir closed)
// when it has none; null for a null dir.
std::unique_ptr<CFileFind::Impl> StartListing(DIR* dir, const CString& prefix) {
  if (dir == nullptr) return nullptr;
  std::unique_ptr<CFileFind::Impl> impl(new CFileFind::Impl);
  impl->dir = dir;
  impl->prefix = prefix;
  impl->hasNext = impl->ReadNext();
  if (impl->hasNext) return impl;
  ::closedir(dir);
  return nullptr;
}

}  // namespace

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

bool CFileFind::FindFile(const CString& pattern) {
  Close();
  CString prefix;
  if (!SplitPattern(pattern, prefix)) return false;
  const std::string folder = prefix.empty() ? std::string(".") : ToNativePath(prefix);
  m_pImpl = StartListing(::opendir(folder.c_str()), prefix);
  return m_pImpl != nullptr;
}

bool CFileFind::FindSubfolder(const CFileFind& parent) {
  Close();
  const Impl& p = *parent.m_pImpl;
  const int fd = ::openat(::dirfd(p.dir), p.current.native.c_str(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) ::close(fd);
  m_pImpl = StartListing(dir, parent.GetFilePath() + L"/");
  return m_pImpl != nullptr;
}

bool CFileFind::FindNextFile() {
  Impl& d = *m_pImpl;
  d.current.native.swap(d.next.native);
  d.current.type = d.next.type;
  d.statDone = false;
  d.targetIsDir = -1;
  d.hasNext = d.ReadNext();
  return d.hasNext;
}

void CFileFind::Close() {
  if (m_pImpl && m_pImpl->dir != nullptr) ::closedir(m_pImpl->dir);
  m_pImpl.reset();
}

CString CFileFind::GetFileName() const { return FromNativePath(m_pImpl->current.native); }

CString CFileFind::GetFilePath() const { return m_pImpl->prefix + GetFileName(); }

CString CFileFind::GetRoot() const { return m_pImpl->prefix; }

bool CFileFind::IsDots() const {
  const std::string& n = m_pImpl->current.native;
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
  if (!d.current.native.empty() && d.current.native[0] == '.') attributes |= FILE_ATTRIBUTE_HIDDEN;
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
  return MoveNoReplaceAt(::dirfd(m_pImpl->dir), m_pImpl->current.native.c_str(), target,
                         ToNativePath(name).c_str()) ? 1 : 0;
}

bool CFileFind::SetEntryAttributes(uint32_t attributes) const {
  return SetAttributesAt(::dirfd(m_pImpl->dir), m_pImpl->current.native.c_str(), attributes);
}

bool CFileFind::GetEntryIdentity(CFileIdentity& identity) const {
  return IdentityAt(::dirfd(m_pImpl->dir), m_pImpl->current.native.c_str(), identity);
}
