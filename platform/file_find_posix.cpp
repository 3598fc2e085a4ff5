#include "platform/file_find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <string>

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
  mutable struct stat st {};
  mutable int targetIsDir = -1;  // -1: not asked yet

  bool ReadNext() {
    const dirent* e = ::readdir(dir);
    if (e == nullptr) return false;
    next.native.assign(e->d_name);
    next.type = e->d_type;
    return true;
  }

  const struct stat* LinkStatus() const {
    if (!statDone) {
      statDone = true;
      statOk = ::fstatat(::dirfd(dir), current.native.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }
    return statOk ? &st : nullptr;
  }

  unsigned char Type() const {
    if (current.type != DT_UNKNOWN) return current.type;
    const struct stat* s = LinkStatus();
    if (s == nullptr) return DT_UNKNOWN;
    if (S_ISDIR(s->st_mode)) return DT_DIR;
    if (S_ISLNK(s->st_mode)) return DT_LNK;
    if (S_ISREG(s->st_mode)) return DT_REG;
    return DT_UNKNOWN;
  }

  bool LinkTargetIsDir() const {
    if (targetIsDir < 0) {
      struct stat target {};
      targetIsDir = ::fstatat(::dirfd(dir), current.native.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    return targetIsDir == 1;
  }
};

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

bool CFileFind::FindFile(const CString& pattern) {
  Close();
  CString prefix;
  if (!SplitPattern(pattern, prefix)) return false;
  const std::string folder = prefix.empty() ? std::string(".") : ToNativePath(prefix);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  m_pImpl.reset(new Impl);
  m_pImpl->dir = dir;
  m_pImpl->prefix = prefix;
  m_pImpl->hasNext = m_pImpl->ReadNext();
  if (!m_pImpl->hasNext) {
    Close();
    return false;
  }
  return true;
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
    const struct stat* s = d.LinkStatus();
    if (s != nullptr && !S_ISLNK(s->st_mode) && !(s->st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  }
  return (attributes & mask) != 0;
}

uint64_t CFileFind::GetLength() const {
  if (m_pImpl->Type() == DT_DIR) return 0;
  const struct stat* s = m_pImpl->LinkStatus();
  return s != nullptr ? static_cast<uint64_t>(s->st_size) : 0;
}
