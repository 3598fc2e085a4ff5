// The platform exception hierarchy. As in the application framework the
// program grew up with, exceptions are thrown as heap pointers (throw new
// CFileException(...)) and the catcher disposes of them with Delete().
#pragma once

#include "platform/cstring.h"

class CException {
 public:
  virtual ~CException() = default;
  // Destroys the exception object; call it exactly once in the handler.
  void Delete() { delete this; }
  virtual CString GetErrorMessage() const = 0;
};

// A failed operation on an open file. m_lOsError is the OS error code
// (GetLastError() on Windows, errno on POSIX).
class CFileException : public CException {
 public:
  CFileException(const CString& operation, const CString& fileName, long osError)
      : m_strOperation(operation), m_strFileName(fileName), m_lOsError(osError) {}
  CString GetErrorMessage() const override;

  CString m_strOperation;
  CString m_strFileName;
  long m_lOsError;
};
