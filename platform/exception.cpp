#include "platform/exception.h"

#include "text/format.h"

CString CFileException::GetErrorMessage() const {
  return Format(L"%s failed on '%s' (OS error %d)", m_strOperation, m_strFileName, m_lOsError);
}
