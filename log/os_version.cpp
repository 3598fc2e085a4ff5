#include "log/os_version.h"

#include <cstring>

#include "text/format.h"

COSVersionRecord COSVersion::m_versionInfo;
CString COSVersion::m_strNativeDescription;
bool COSVersion::m_bQueried = false;

namespace {
const uint32_t kVersionRecordSize = 276;
}

COSVersion::COSVersion() {
  if (m_bQueried) return;
  m_versionInfo = COSVersionRecord();
  m_versionInfo.dwOSVersionInfoSize = kVersionRecordSize;
  // A failed query leaves the record zero: platform id 0.
  COSVersionRecord live = m_versionInfo;
  if (QueryOSVersionRecord(live)) m_versionInfo = live;
  m_strNativeDescription = QueryNativeOSDescription();
  m_bQueried = true;
}

COSVersion::~COSVersion() {}

CString COSVersion::GetVersionString() {
  if (!m_strNativeDescription.empty()) return m_strNativeDescription;
  // The product type is read anew each time, as the registry may say.
  const CString productType = m_versionInfo.dwPlatformId == 2 ? QueryProductType() : CString();
  return Describe(m_versionInfo, productType);
}

CString COSVersion::Describe(const COSVersionRecord& r, const CString& productType) {
  // The service-pack text is a fixed buffer; never read past it.
  const CString csd(r.szCSDVersion, wcsnlen(r.szCSDVersion, sizeof(r.szCSDVersion) / sizeof(wchar_t)));
  const wchar_t second = csd.size() > 1 ? csd[1] : L'\0';
  CString s;
  switch (r.dwPlatformId) {
    case 0:
      s += L" Microsoft Win32s ";
      break;
    case 1:
      if (r.dwMajorVersion == 4) {
        if (r.dwMinorVersion == 0) {
          s += L" Microsoft Windows 95 ";
          if (second == L'C' || second == L'B') s += L" OSR2 ";
        } else if (r.dwMinorVersion == 10) {
          s += L" Microsoft Windows 98 ";
          if (second == L'A') s += L" SE ";
        } else if (r.dwMinorVersion == 90) {
          s += L" Microsoft Windows Me ";
        }
      }
      break;
    case 2: {
      if (r.dwMajorVersion <= 4)
        s += L" Windows NT ";
      else if (r.dwMajorVersion == 5 && r.dwMinorVersion == 0)
        s += L" Windows 2000 ";
      else if (r.dwMajorVersion == 5 && r.dwMinorVersion == 1)
        s += L" Windows XP ";
      else if (r.dwMajorVersion == 5 && r.dwMinorVersion == 2)
        s += L" Windows XP Professional x64 Edition";
      else if (r.dwMajorVersion == 6 && r.dwMinorVersion == 0)
        s += L" Microsoft Windows Vista";
      if (CompareNoCase(productType, L"WINNT") == 0) s += L"Professional ";
      if (CompareNoCase(productType, L"LANMANNT") == 0) s += L" Server ";
      if (CompareNoCase(productType, L"SERVERNT") == 0) s += L" Advanced Server ";
      const unsigned build = r.dwBuildNumber & 0xFFFF;
      if (r.dwMajorVersion <= 4)
        s += Format(L"version %d.%d %s (Build %d)\n", r.dwMajorVersion, r.dwMinorVersion, csd, build);
      else
        s += Format(L"%s (Build %d)\n", csd, build);
      break;
    }
    default:
      break;
  }
  TrimString(s);
  return s;
}
