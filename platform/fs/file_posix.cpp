#include "platform/fs/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs/file_hooks.h"
#include "platform/posix_text.h"

const intptr_t CFile::hFileNull = -1;

CFile::~CFile() { Close(); }

namespace {

int NativeFlags(unsigned flags) {
  int oflags = O_CLOEXEC | ((flags & CFile::modeOwnFileOnly) ? O_NOFOLLOW : 0);
  switch (flags & 0x3) {
    case CFile::modeWrite: oflags |= O_WRONLY | O_APPEND; break;
    case CFile::modeReadWrite: oflags |= O_RDWR | O_APPEND; break;
    default: oflags |= O_RDONLY; break;
  }
  if (flags & CFile::modeCreate) {
    oflags |= O_CREAT;
    if (!(flags & CFile::modeNoTruncate)) oflags |= O_TRUNC;
  }
  return oflags;
}

// The error of an open that failed: a link refused by O_NOFOLLOW is told
// apart from a loop further up the path.
int OpenError(const std::string& path, unsigned flags) {
  const int error = errno;
  struct stat st {};
  if (error == ELOOP && (flags & CFile::modeOwnFileOnly) && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
    return kFileErrorLink;
  return error;
}

// Readies a descriptor opened with O_NONBLOCK: 0, or the error that refuses
// it. Only a regular file is taken; it is made blocking again and, for the
// exclusive modes, locked, so that a second opener, in this process (a new
// open file description) or another, fails at once.
int TakeOpened(int fd, unsigned flags) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  if (flags & CFile::modeOwnFileOnly) {
    if (st.st_uid != ::geteuid()) return kFileErrorOtherOwner;
    // As for the trash folder: a group of one's own may write.
    if ((st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && st.st_gid != ::getegid()))
      return kFileErrorWritableByOthers;
  }
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) return errno;
  if ((flags & 0x70) != CFile::shareDenyNone && ::flock(fd, LOCK_EX | LOCK_NB) != 0) return errno;
  return 0;
}

}  // namespace

bool CFile::Open(const CString& path, unsigned flags) {
  Close();
  // Non-blocking for the open itself: a FIFO without a reader would hold it forever.
  const std::string native = ToNativePath(path);
  const int fd = ::open(native.c_str(), NativeFlags(flags) | O_NONBLOCK, 0644);
  const int error = fd < 0 ? OpenError(native, flags) : TakeOpened(fd, flags);
  if (error != 0) {
    if (fd >= 0) ::close(fd);
    m_lOsError = error;
    return false;
  }
  m_hFile = fd;
  m_lOsError = 0;
  m_strFileName = path;
  return true;
}

uint64_t CFile::SeekToEnd() {
  const off_t pos = ::lseek(static_cast<int>(m_hFile), 0, SEEK_END);
  if (pos < 0) throw new CFileException(L"Seek", m_strFileName, errno);
  return static_cast<uint64_t>(pos);
}

uint64_t CFile::GetLength() const {
  struct stat st {};
  if (::fstat(static_cast<int>(m_hFile), &st) != 0) throw new CFileException(L"GetLength", m_strFileName, errno);
  return static_cast<uint64_t>(st.st_size);
}

void CFile::SetLength(uint64_t length) {
  const int fd = static_cast<int>(m_hFile);
  if (::ftruncate(fd, static_cast<off_t>(length)) != 0 || ::lseek(fd, static_cast<off_t>(length), SEEK_SET) < 0)
    throw new CFileException(L"SetLength", m_strFileName, errno);
}

size_t CFile::ReadAt(uint64_t offset, void* buffer, size_t bytes) {
  for (;;) {
    const ssize_t n = ::pread(static_cast<int>(m_hFile), buffer, bytes, static_cast<off_t>(offset));
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) throw new CFileException(L"Read", m_strFileName, errno);
  }
}

size_t CFile::Read(void* buffer, size_t bytes) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(m_hFile), buffer, bytes);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) throw new CFileException(L"Read", m_strFileName, errno);
  }
}

void CFile::WriteAll(const char* p, size_t bytes) {
  while (bytes > 0) {
    const ssize_t n = ::write(static_cast<int>(m_hFile), p, bytes);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw new CFileException(L"Write", m_strFileName, n < 0 ? errno : ENOSPC);
    p += n;
    bytes -= static_cast<size_t>(n);
    m_nWritten += static_cast<size_t>(n);
  }
}

void CFile::Flush() {
  if (TakeFlushFault()) throw new CFileException(L"Flush", m_strFileName, EIO);
  if (::fdatasync(static_cast<int>(m_hFile)) != 0) {
    // A file system that cannot flush has nothing to flush.
    if (errno != EINVAL && errno != EROFS) throw new CFileException(L"Flush", m_strFileName, errno);
  }
}

void CFile::Close() {
  if (m_hFile != hFileNull) {
    ::close(static_cast<int>(m_hFile));
    m_hFile = hFileNull;
  }
}

void BreakFileForTesting(CFile& file) {
  if (!file.IsOpen()) return;
  const int readOnly = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (readOnly < 0) return;
  ::dup2(readOnly, static_cast<int>(file.m_hFile));
  ::close(readOnly);
}
