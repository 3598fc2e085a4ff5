#include "platform/fs/file.h"

#include <windows.h>

#include "platform/fs/file_hooks.h"
#include "platform/fs/win32_long_path.h"

const intptr_t CFile::hFileNull = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);

namespace {
HANDLE H(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

CFile::~CFile() { Close(); }

bool CFile::Open(const CString& path, unsigned flags) {
  Close();
  DWORD access = 0;
  switch (flags & 0x3) {
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
  }
  DWORD share = 0;
  switch (flags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;  // compatibility and exclusive
  }
  DWORD disposition = OPEN_EXISTING;
  if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  const bool ownOnly = (flags & modeOwnFileOnly) != 0;
  // A link at the path is refused before and after the open: the handle of
  // a reparse point opened as itself says so too.
  const DWORD before = ::GetFileAttributesW(LongPathOf(path).c_str());
  if (ownOnly && before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_REPARSE_POINT)) {
    m_lOsError = kFileErrorLink;
    return false;
  }
  const DWORD attributes = FILE_ATTRIBUTE_NORMAL | (ownOnly ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  HANDLE h = ::CreateFileW(LongPathOf(path).c_str(), access, share, nullptr, disposition, attributes, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    m_lOsError = static_cast<long>(::GetLastError());
    return false;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (ownOnly && ::GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    ::CloseHandle(h);
    m_lOsError = kFileErrorLink;
    return false;
  }
  // Only a disk file: a device (NUL, CON, COM1) or a pipe is refused. A folder
  // cannot be opened this way at all.
  if (::GetFileType(h) != FILE_TYPE_DISK) {
    ::CloseHandle(h);
    m_lOsError = ERROR_BAD_FILE_TYPE;
    return false;
  }
  m_hFile = reinterpret_cast<intptr_t>(h);
  m_lOsError = 0;
  m_strFileName = path;
  return true;
}

uint64_t CFile::SeekToEnd() {
  LARGE_INTEGER zero{}, pos{};
  if (!::SetFilePointerEx(H(m_hFile), zero, &pos, FILE_END))
    throw new CFileException(L"Seek", m_strFileName, static_cast<long>(::GetLastError()));
  return static_cast<uint64_t>(pos.QuadPart);
}

uint64_t CFile::GetLength() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(H(m_hFile), &size))
    throw new CFileException(L"GetLength", m_strFileName, static_cast<long>(::GetLastError()));
  return static_cast<uint64_t>(size.QuadPart);
}

void CFile::SetLength(uint64_t length) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(length);
  if (!::SetFilePointerEx(H(m_hFile), to, nullptr, FILE_BEGIN) || !::SetEndOfFile(H(m_hFile)))
    throw new CFileException(L"SetLength", m_strFileName, static_cast<long>(::GetLastError()));
}

size_t CFile::ReadAt(uint64_t offset, void* buffer, size_t bytes) {
  const DWORD chunk = bytes > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes);
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  if (!::ReadFile(H(m_hFile), buffer, chunk, &read, &at) && ::GetLastError() != ERROR_HANDLE_EOF)
    throw new CFileException(L"Read", m_strFileName, static_cast<long>(::GetLastError()));
  return read;
}

size_t CFile::Read(void* buffer, size_t bytes) {
  const DWORD chunk = bytes > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes);
  DWORD read = 0;
  if (!::ReadFile(H(m_hFile), buffer, chunk, &read, nullptr))
    throw new CFileException(L"Read", m_strFileName, static_cast<long>(::GetLastError()));
  return read;
}

void CFile::WriteAll(const char* p, size_t bytes) {
  while (bytes > 0) {
    const DWORD chunk = bytes > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes);
    DWORD written = 0;
    if (!::WriteFile(H(m_hFile), p, chunk, &written, nullptr) || written == 0)
      throw new CFileException(L"Write", m_strFileName, static_cast<long>(::GetLastError()));
    p += written;
    bytes -= written;
    m_nWritten += written;
  }
}

void CFile::Flush() {
  if (TakeFlushFault()) throw new CFileException(L"Flush", m_strFileName, ERROR_IO_DEVICE);
  if (!::FlushFileBuffers(H(m_hFile)))
    throw new CFileException(L"Flush", m_strFileName, static_cast<long>(::GetLastError()));
}

void CFile::Close() {
  if (m_hFile != hFileNull) {
    ::CloseHandle(H(m_hFile));
    m_hFile = hFileNull;
  }
}

void BreakFileForTesting(CFile& file) {
  if (!file.IsOpen()) return;
  const HANDLE readOnly = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
  if (readOnly == INVALID_HANDLE_VALUE) return;
  ::CloseHandle(reinterpret_cast<HANDLE>(file.m_hFile));
  file.m_hFile = reinterpret_cast<intptr_t>(readOnly);
}
