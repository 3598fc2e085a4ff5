#include "platform/folder_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system_posix.h"
#include "platform/posix_text.h"

namespace {

// A folder another user could empty or replace is no private folder.
bool IsPrivate(const struct stat& st) {
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  if (st.st_mode & S_IWOTH) return false;
  return !(st.st_mode & S_IWGRP) || st.st_gid == ::getegid();
}

}  // namespace

void CFolderHandle::Close() {
  if (m_nHandle >= 0) ::close(static_cast<int>(m_nHandle));
  m_nHandle = -1;
  m_strPath.clear();
}

bool PlatformOpenPrivateFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  folder.Close();
  const int at = parent != nullptr ? static_cast<int>(parent->m_nHandle) : AT_FDCWD;
  const std::string native = ToNativePath(name);
  if (create && ::mkdirat(at, native.c_str(), 0700) != 0 && errno != EEXIST) return RecordPosixResult(false);
  const int fd = ::openat(at, native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return RecordPosixResult(false);
  struct stat st {};
  const bool statted = ::fstat(fd, &st) == 0;
  if (!statted || !IsPrivate(st)) {
    const int error = statted ? EACCES : errno;
    ::close(fd);
    errno = error;
    return RecordPosixResult(false);
  }
  folder.m_nHandle = fd;
  folder.m_strPath = parent != nullptr ? parent->m_strPath + L"/" + name : name;
  return RecordPosixResult(true);
}
