#include "platform/exception.h"

#include <string>

CString CFileException::GetErrorMessage() const {
  return m_strOperation + L" failed on '" + m_strFileName + L"' (OS error " + std::to_wstring(m_lOsError) + L")";
}
