#include "platform/sys/profile.h"

CProfile::CProfile(const CString& company, const CString& application)
    : m_strCompany(company), m_strApplication(application) {}

bool IsStorableProfileName(const CString& section, const CString& entry) {
  if (section.empty() || entry.empty()) return false;
  if (Trimmed(section) != section || Trimmed(entry) != entry) return false;
  if (section.find_first_of(L"]\r\n") != CString::npos) return false;
  if (entry.find_first_of(L"=\r\n") != CString::npos) return false;
  // A line starting with these would read back as a section or a comment.
  return entry[0] != L'[' && entry[0] != L';' && entry[0] != L'#';
}
