#include "platform/fs/file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fs/file_system_posix.h"
#include "platform/posix_text.h"

namespace {

thread_local long t_lastError = 0;

bool Done(bool ok) { return RecordPosixResult(ok); }

// A time of the Unix clock as a file time; 0 before 1601.
CFileTimeHalves FileTimeOf(int64_t seconds, int64_t nanoseconds) {
  const int64_t epochSeconds = static_cast<int64_t>(CFileTime::kUnixEpoch / CFileTime::kSecond);
  if (seconds < -epochSeconds) return CFileTimeHalves();
  const uint64_t since1601 = static_cast<uint64_t>(seconds + epochSeconds);
  return CFileTime(since1601 * CFileTime::kSecond + static_cast<uint64_t>(nanoseconds) / 100).GetHalves();
}

}  // namespace

bool RecordPosixResult(bool ok) {
  t_lastError = ok ? 0 : errno;
  return ok;
}

bool MoveNoReplaceAt(int fromFolder, const char* from, int toFolder, const char* to) {
  if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0) return Done(true);
  if (errno != EINVAL && errno != ENOSYS) return Done(false);
  // A file system without the no-replace flag: test first, then rename. The
  // gap between the two is the only window in which a replace could happen.
  struct stat st {};
  if (::fstatat(toFolder, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return Done(false);
  }
  return Done(::renameat(fromFolder, from, toFolder, to) == 0);
}

bool SetAttributesAt(int folder, const char* name, uint32_t attributes) {
  struct stat st {};
  if (!Done(::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) == 0)) return false;
  mode_t found = st.st_mode;
  return SetAttributesOfModeAt(folder, name, found, attributes);
}

bool SetAttributesOfModeAt(int folder, const char* name, mode_t& found, uint32_t attributes) {
  if (S_ISLNK(found)) return Done(true);
  mode_t mode = found & 07777;
  if (attributes & FILE_ATTRIBUTE_READONLY)
    mode &= static_cast<mode_t>(~(S_IWUSR | S_IWGRP | S_IWOTH));
  else
    mode |= S_IWUSR;
  if (mode == (found & 07777)) return Done(true);
  // Refuses, rather than follows, a link put in the item's place meanwhile.
  if (!Done(::fchmodat(folder, name, mode, AT_SYMLINK_NOFOLLOW) == 0)) return false;
  found = (found & ~static_cast<mode_t>(07777)) | mode;
  return true;
}

bool StatusAt(int folder, const char* name, CPosixStatus& status) {
  struct statx sx {};
  if (::statx(folder, name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
    status.nMode = sx.stx_mode;
    status.nSize = sx.stx_size;
    status.ftCreationTime = (sx.stx_mask & STATX_BTIME) ? FileTimeOf(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                                                       : CFileTimeHalves();
    status.ftLastAccessTime = FileTimeOf(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
    status.ftLastWriteTime = FileTimeOf(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
    return true;
  }
  if (errno != ENOSYS) return false;
  struct stat st {};
  if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  status.nMode = st.st_mode;
  status.nSize = static_cast<uint64_t>(st.st_size);
  status.ftCreationTime = CFileTimeHalves();
  status.ftLastAccessTime = FileTimeOf(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  status.ftLastWriteTime = FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return true;
}

bool IdentityAt(int folder, const char* name, CFileIdentity& identity) {
  struct stat st {};
  if (!Done(::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) == 0)) return false;
  identity.nVolume = static_cast<uint64_t>(st.st_dev);
  identity.nIndex = static_cast<uint64_t>(st.st_ino);
  return true;
}

bool PlatformGetFileAttributesEx(const CString& path, CFileAttributeData& data) {
  data = CFileAttributeData();
  const std::string native = ToNativePath(path);
  CPosixStatus st;
  if (!Done(StatusAt(AT_FDCWD, native.c_str(), st))) return false;
  uint32_t& attributes = data.dwFileAttributes;
  if (S_ISLNK(st.nMode)) {
    attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    struct stat target {};
    if (::stat(native.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  } else {
    if (S_ISDIR(st.nMode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISREG(st.nMode)) attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.nMode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  }
  const size_t slash = path.find_last_of(L'/');
  const size_t start = slash == CString::npos ? 0 : slash + 1;
  if (start < path.size() && path[start] == L'.') attributes |= FILE_ATTRIBUTE_HIDDEN;
  data.ftCreationTime = st.ftCreationTime;
  data.ftLastAccessTime = st.ftLastAccessTime;
  data.ftLastWriteTime = st.ftLastWriteTime;
  const uint64_t size = S_ISDIR(st.nMode) ? 0 : st.nSize;
  data.nFileSizeHigh = static_cast<uint32_t>(size >> 32);
  data.nFileSizeLow = static_cast<uint32_t>(size);
  return true;
}

bool PlatformSetFileAttributes(const CString& path, uint32_t attributes) {
  return SetAttributesAt(AT_FDCWD, ToNativePath(path).c_str(), attributes);
}

bool PlatformCreateDirectory(const CString& path) { return Done(::mkdir(ToNativePath(path).c_str(), 0777) == 0); }

bool PlatformDeleteFile(const CString& path) {
  const std::string native = ToNativePath(path);
  struct stat st {};
  if (!Done(::lstat(native.c_str(), &st) == 0)) return false;
  // What Windows refuses. A link has no read-only bit of its own.
  if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    return Done(false);
  }
  // unlink never removes a folder, also one put in the file's place meanwhile.
  return Done(::unlink(native.c_str()) == 0);
}

CString PlatformGetShortPathName(const CString& path) {
  struct stat st {};
  return Done(::lstat(ToNativePath(path).c_str(), &st) == 0) ? path : CString();
}

int PlatformMoveFile(const CString& from, const CString& to) {
  return MoveNoReplaceAt(AT_FDCWD, ToNativePath(from).c_str(), AT_FDCWD, ToNativePath(to).c_str()) ? 1 : 0;
}

bool PlatformFileIdentity(const CString& path, CFileIdentity& identity) {
  return IdentityAt(AT_FDCWD, ToNativePath(path).c_str(), identity);
}

long PlatformLastError() { return t_lastError; }

bool PlatformIsNotFoundError(long error) { return error == 0 || error == ENOENT || error == ENOTDIR; }

long PlatformDiskFullError() { return ENOSPC; }

CString PlatformErrorText(long error) {
  char buffer[256] = {0};
  // The GNU strerror_r, which may answer with a text of its own.
  const char* text = ::strerror_r(static_cast<int>(error), buffer, sizeof buffer);
  return FromNativePath(text, std::strlen(text));
}
