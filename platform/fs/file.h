// CFile: the file object the log needs. It opens regular files only, with the
// framework's flag values, reads, appends, flushes to the disk and closes; a
// failing read, write or flush throws CFileException*.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/cstring.h"
#include "platform/exception.h"

// The errors of an Open that refuses a file the OS would have opened
// (modeOwnFileOnly). Bit 29 marks codes of our own, as Windows keeps it for
// applications.
constexpr long kFileErrorLink = 0x20000001;
constexpr long kFileErrorOtherOwner = 0x20000002;
constexpr long kFileErrorWritableByOthers = 0x20000003;

// The text of an Open's error: ours for the codes above, else the
// system's (PlatformErrorText).
CString FileOpenErrorText(long error);

class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,  // treated as exclusive, like shareExclusive
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    // Ours: refuses a link at the path and, on POSIX, a file of another
    // user or one that others may write (a file read or appended to as
    // one's own record).
    modeOwnFileOnly = 0x100000,
  };
  static const intptr_t hFileNull;

  CFile() = default;
  ~CFile();  // closes the file if it is open; errors are ignored
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens path with the given flags, without ever waiting (a FIFO without a
  // reader does not block). Returns false and keeps the OS error in
  // m_lOsError when the file cannot be opened, is not a regular file (a
  // folder, device, FIFO or socket), or, for the exclusive modes, is held
  // open by anyone else, in this process or another.
  bool Open(const CString& path, unsigned flags);
  // Moves the position to the end of the file; returns the new position.
  uint64_t SeekToEnd();
  // The size of the file in bytes, or throws CFileException*.
  uint64_t GetLength() const;
  // Cuts the file to length bytes (the position goes there too), or throws
  // CFileException*.
  void SetLength(uint64_t length);
  // Reads up to bytes at offset (the position afterwards is unspecified);
  // returns how many were read, or throws CFileException*.
  size_t ReadAt(uint64_t offset, void* buffer, size_t bytes);
  // Reads up to bytes from the current position into buffer; returns how
  // many were read, 0 at the end of the file, or throws CFileException*.
  size_t Read(void* buffer, size_t bytes);
  // Writes all bytes or throws CFileException*, possibly after writing some.
  // POSIX writes always go to the current end of the file, also after
  // another writer appended to it or cut it.
  void Write(const void* data, size_t bytes);
  // The bytes the last Write put into the file, all of them or, when it
  // failed, those it wrote before the failure.
  size_t GetLastWritten() const { return m_nWritten; }
  // Flushes the file to the disk or throws CFileException*.
  void Flush();
  // Closes the file if it is open; never throws.
  void Close();
  bool IsOpen() const { return m_hFile != hFileNull; }
  const CString& GetFilePath() const { return m_strFileName; }

  intptr_t m_hFile = hFileNull;  // OS handle (Windows HANDLE, POSIX descriptor)
  long m_lOsError = 0;            // error of the last failed Open
  CString m_strFileName;

 private:
  friend void FailNextWriteForTesting(CFile& file, size_t bytesWritten);
  friend void FailNextFlushForTesting(CFile& file);

  // The OS write loop behind Write.
  void WriteAll(const char* data, size_t bytes);
  // Spends the armed write fault: the bytes Write may pass to the OS.
  size_t TakeWriteAllowance(size_t bytes, bool& fails);
  // Spends the armed flush fault: true when Flush is to fail.
  bool TakeFlushFault();

  size_t m_nWritten = 0;          // by the last Write
  bool m_bWriteFault = false;     // test fault: the next Write fails
  size_t m_nWriteFaultBytes = 0;  // after writing at most this many bytes
  bool m_bFlushFault = false;     // test fault: the next Flush fails
};
