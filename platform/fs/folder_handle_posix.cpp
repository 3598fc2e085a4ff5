#include "platform/fs/folder_handle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fs/file_system_posix.h"
#include "platform/posix_text.h"

namespace {

// A folder another user could empty or replace is no private folder.
bool IsPrivate(const struct stat& st) {
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  if (st.st_mode & S_IWOTH) return false;
  return !(st.st_mode & S_IWGRP) || st.st_gid == ::getegid();
}

const int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

CString JoinPath(const CFolderHandle* parent, const CString& name) {
  if (parent == nullptr) return name;
  const CString& path = parent->m_strPath;
  return !path.empty() && path.back() == L'/' ? path + name : path + L"/" + name;
}

// A folder `name` of folder, opened without following a link; one its owner
// may not list is made listable first (never through a link).
int OpenForRemoval(int folder, const char* name) {
  int fd = ::openat(folder, name, kFolderFlags | O_NOFOLLOW);
  if (fd < 0 && errno == EACCES && ::fchmodat(folder, name, S_IRWXU, AT_SYMLINK_NOFOLLOW) == 0)
    fd = ::openat(folder, name, kFolderFlags | O_NOFOLLOW);
  return fd;
}

// The names in an open folder, without "." and "..". Takes fd.
bool ReadNames(int fd, std::vector<std::string>& names) {
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return false;
  }
  while (const dirent* e = ::readdir(dir))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
  ::closedir(dir);
  return true;
}

// The device of an open folder, and whether it is the root of a mount (a
// bind mount of a folder of the same device included, where the kernel
// tells).
struct CFolderPlace {
  dev_t nDevice = 0;
  bool bMountRoot = false;
};

bool PlaceOf(int fd, CFolderPlace& place) {
  struct statx sx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &sx) != 0) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    place.nDevice = st.st_dev;
    return true;
  }
  place.nDevice = makedev(sx.stx_dev_major, sx.stx_dev_minor);
  place.bMountRoot = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
  return true;
}

// A removal under way: the device it stays on, and where it first stopped.
struct CRemoval {
  dev_t nDevice;
  CRemoveStop& stop;

  bool Stop(CRemoveStop::Reason reason, const std::string& path, int error = 0) {
    if (stop.nReason == CRemoveStop::kNone) {
      stop.nReason = reason;
      stop.strPath = FromNativePath(path);
      stop.nError = error;
    }
    return false;
  }
};

// unlinkat never removes a folder without AT_REMOVEDIR, so whatever is not a
// real folder (a link included) goes at the first try, as itself. A folder
// on another file system is not entered.
bool RemoveTreeAt(int folder, const char* name, const std::string& path, CRemoval& removal) {
  if (::unlinkat(folder, name, 0) == 0) return true;
  if (errno != EISDIR && errno != EPERM) return removal.Stop(CRemoveStop::kError, path, errno);
  const int fd = OpenForRemoval(folder, name);
  if (fd < 0) return removal.Stop(CRemoveStop::kError, path, errno);
  CFolderPlace place;
  if (!PlaceOf(fd, place) || place.nDevice != removal.nDevice || place.bMountRoot) {
    ::close(fd);
    return removal.Stop(CRemoveStop::kOtherFileSystem, path);
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && (st.st_mode & S_IRWXU) != S_IRWXU) ::fchmod(fd, (st.st_mode & 07777) | S_IRWXU);
  const int inner = ::dup(fd);
  std::vector<std::string> names;
  bool ok = inner >= 0 && ReadNames(inner, names);
  if (!ok) removal.Stop(CRemoveStop::kError, path, errno);
  for (const std::string& n : names) ok = RemoveTreeAt(fd, n.c_str(), path + "/" + n, removal) && ok;
  ::close(fd);
  if (!ok) return false;
  return ::unlinkat(folder, name, AT_REMOVEDIR) == 0 || removal.Stop(CRemoveStop::kError, path, errno);
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

bool PlatformOpenFolder(const CFolderHandle* parent, const CString& name, bool create, CFolderHandle& folder) {
  folder.Close();
  const int at = parent != nullptr ? static_cast<int>(parent->m_nHandle) : AT_FDCWD;
  const int flags = kFolderFlags | (parent != nullptr ? O_NOFOLLOW : 0);
  const std::string native = ToNativePath(name);
  int fd = ::openat(at, native.c_str(), flags);
  if (fd < 0 && errno == ENOENT && create && parent != nullptr) {
    if (::mkdirat(at, native.c_str(), 0777) != 0 && errno != EEXIST) return RecordPosixResult(false);
    fd = ::openat(at, native.c_str(), flags);
  }
  if (fd < 0) return RecordPosixResult(false);
  folder.m_nHandle = fd;
  folder.m_strPath = JoinPath(parent, name);
  return RecordPosixResult(true);
}

bool PlatformMoveItem(const CFolderHandle& from, const CString& fromName, const CFolderHandle& to,
                      const CString& toName) {
  return MoveNoReplaceAt(static_cast<int>(from.m_nHandle), ToNativePath(fromName).c_str(),
                         static_cast<int>(to.m_nHandle), ToNativePath(toName).c_str());
}

bool PlatformRemoveEmptyFolder(const CFolderHandle& parent, const CString& name) {
  return RecordPosixResult(
      ::unlinkat(static_cast<int>(parent.m_nHandle), ToNativePath(name).c_str(), AT_REMOVEDIR) == 0);
}

bool PlatformRemoveTree(const CFolderHandle& parent, const CString& name, CRemoveStop& stop) {
  stop = CRemoveStop();
  const int at = static_cast<int>(parent.m_nHandle);
  CFolderPlace place;
  if (!PlaceOf(at, place)) return RecordPosixResult(false);
  CRemoval removal{place.nDevice, stop};
  const std::string native = ToNativePath(name);
  return RecordPosixResult(RemoveTreeAt(at, native.c_str(), native, removal));
}

CFolderResult PlatformMakePrivateFolder(const CFolderHandle& parent, const CString& name, CFolderHandle& folder) {
  folder.Close();
  if (::mkdirat(static_cast<int>(parent.m_nHandle), ToNativePath(name).c_str(), 0700) != 0) {
    const bool taken = errno == EEXIST;
    RecordPosixResult(false);
    return taken ? CFolderResult::kTaken : CFolderResult::kFailed;
  }
  return PlatformOpenPrivateFolder(&parent, name, false, folder) ? CFolderResult::kDone : CFolderResult::kFailed;
}

CFolderResult PlatformLockFolder(CFolderHandle& folder, bool) {
  const int fd = static_cast<int>(folder.m_nHandle);
  if (RecordPosixResult(::flock(fd, LOCK_EX | LOCK_NB) == 0)) return CFolderResult::kDone;
  return PlatformLastError() == EWOULDBLOCK ? CFolderResult::kTaken : CFolderResult::kFailed;
}

bool PlatformDeletesLinksAsThemselves() { return true; }
