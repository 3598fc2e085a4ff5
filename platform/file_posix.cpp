#include "platform/file.h"
#include "platform/testing/test_hooks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_text.h"

const intptr_t CFile::hFileNull = -1;

CFile::~CFile() { Close(); }

bool CFile::Open(const CString& path, unsigned flags) {
  Close();
  int oflags = O_CLOEXEC;
  switch (flags & 0x3) {
    case modeWrite: oflags |= O_WRONLY; break;
    case modeReadWrite: oflags |= O_RDWR; break;
    default: oflags |= O_RDONLY; break;
  }
  if (flags & modeCreate) {
    oflags |= O_CREAT;
    if (!(flags & modeNoTruncate)) oflags |= O_TRUNC;
  }
  const int fd = ::open(ToNativePath(path).c_str(), oflags, 0644);
  if (fd < 0) {
    m_lOsError = errno;
    return false;
  }
  // Everything but deny-none is exclusive: a second opener, in this process
  // (a new open file description) or another, fails at once.
  if ((flags & 0x70) != shareDenyNone && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    m_lOsError = errno;
    ::close(fd);
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

void CFile::Write(const void* data, size_t bytes) {
  const char* p = static_cast<const char*>(data);
  while (bytes > 0) {
    const ssize_t n = ::write(static_cast<int>(m_hFile), p, bytes);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw new CFileException(L"Write", m_strFileName, n < 0 ? errno : ENOSPC);
    p += n;
    bytes -= static_cast<size_t>(n);
  }
}

void CFile::Flush() {
  if (::fdatasync(static_cast<int>(m_hFile)) != 0) {
    // Character devices and pipes have nothing to flush.
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
