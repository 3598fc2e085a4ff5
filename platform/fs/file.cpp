// The parts of CFile both platforms share: writing through the test faults.
#include "platform/fs/file.h"

#include "platform/fs/file_hooks.h"
#include "platform/fs/file_system.h"

CString FileOpenErrorText(long error) {
  switch (error) {
    case kFileErrorLink: return L"it is a link";
    case kFileErrorOtherOwner: return L"it belongs to another user";
    case kFileErrorWritableByOthers: return L"others may write to it";
  }
  return PlatformErrorText(error);
}

void CFile::Write(const void* data, size_t bytes) {
  bool fails = false;
  m_nWritten = 0;
  WriteAll(static_cast<const char*>(data), TakeWriteAllowance(bytes, fails));
  if (fails) throw new CFileException(L"Write", m_strFileName, PlatformDiskFullError());
}

size_t CFile::TakeWriteAllowance(size_t bytes, bool& fails) {
  fails = m_bWriteFault;
  m_bWriteFault = false;
  return fails && m_nWriteFaultBytes < bytes ? m_nWriteFaultBytes : bytes;
}

bool CFile::TakeFlushFault() {
  const bool fails = m_bFlushFault;
  m_bFlushFault = false;
  return fails;
}

void FailNextWriteForTesting(CFile& file, size_t bytesWritten) {
  file.m_bWriteFault = true;
  file.m_nWriteFaultBytes = bytesWritten;
}

void FailNextFlushForTesting(CFile& file) { file.m_bFlushFault = true; }
