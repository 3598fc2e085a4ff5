#include "log/os_version.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

COSVersionRecord Record(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, const wchar_t* csd) {
  COSVersionRecord r;
  r.dwOSVersionInfoSize = 276;
  r.dwPlatformId = platform;
  r.dwMajorVersion = major;
  r.dwMinorVersion = minor;
  r.dwBuildNumber = build;
  std::wcsncpy(r.szCSDVersion, csd, 127);
  return r;
}

}  // namespace

TEST(OSVersion, NtFamilyPiecesMeetWithoutAddedBlanks) {
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 1, 2600, L"Service Pack 2"), L"WinNT"),
            L"Windows XP Professional Service Pack 2 (Build 2600)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 1, 2600, L"Service Pack 2"), L"winnt"),
            L"Windows XP Professional Service Pack 2 (Build 2600)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 4, 0, 1381, L"Service Pack 6"), L"LanmanNT"),
            L"Windows NT  Server version 4.0 Service Pack 6 (Build 1381)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 6, 0, 6002, L"Service Pack 2"), L"WinNT"),
            L"Microsoft Windows VistaProfessional Service Pack 2 (Build 6002)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 2, 3790, L""), L"WinNT"),
            L"Windows XP Professional x64 EditionProfessional  (Build 3790)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 0, 2195, L""), L"ServerNT"),
            L"Windows 2000  Advanced Server  (Build 2195)");
  // 6.1 and later: no product name; the empty service pack leaves its blank.
  EXPECT_EQ(COSVersion::Describe(Record(2, 6, 1, 7601, L"Service Pack 1"), L"WinNT"),
            L"Professional Service Pack 1 (Build 7601)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 10, 0, 19045, L""), L""), L"(Build 19045)");
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 1, 2600, L""), L"WinNT"), L"Windows XP Professional  (Build 2600)");
  // Only the low 16 bits of the build are printed.
  EXPECT_EQ(COSVersion::Describe(Record(2, 5, 1, 0x12340A28, L""), L"Other"), L"Windows XP  (Build 2600)");
}

TEST(OSVersion, NineXFamilyAndOthers) {
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 10, 2222, L" A "), L""), L"Microsoft Windows 98  SE");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 10, 2222, L""), L""), L"Microsoft Windows 98");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 0, 950, L" B"), L""), L"Microsoft Windows 95  OSR2");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 0, 950, L" C"), L""), L"Microsoft Windows 95  OSR2");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 0, 950, L" a"), L""), L"Microsoft Windows 95");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 90, 3000, L""), L"WinNT"), L"Microsoft Windows Me");
  EXPECT_EQ(COSVersion::Describe(Record(1, 4, 20, 3000, L""), L""), L"");
  EXPECT_EQ(COSVersion::Describe(Record(1, 5, 0, 3000, L""), L""), L"");
  EXPECT_EQ(COSVersion::Describe(COSVersionRecord(), L"WinNT"), L"Microsoft Win32s");
  EXPECT_EQ(COSVersion::Describe(Record(3, 6, 1, 1, L"x"), L"WinNT"), L"");
}

TEST(OSVersion, ServicePackTextWithoutTerminatorIsReadOnlyToItsEnd) {
  COSVersionRecord r = Record(2, 5, 1, 2600, L"");
  for (wchar_t& c : r.szCSDVersion) c = L'S';
  const CString text = COSVersion::Describe(r, L"");
  EXPECT_EQ(text, L"Windows XP " + CString(128, L'S') + L" (Build 2600)");
}

namespace {

// Reaches what the first object fetched.
struct CVersionState : COSVersion {
  static COSVersionRecord& Record() { return m_versionInfo; }
  static CString& NativeDescription() { return m_strNativeDescription; }
};

}  // namespace

TEST(OSVersion, RecordIsFetchedOncePerProcess) {
  COSVersion first;
  const COSVersionRecord live = CVersionState::Record();
  CVersionState::Record().dwBuildNumber = live.dwBuildNumber + 12345;
  COSVersion second;
  EXPECT_EQ(CVersionState::Record().dwBuildNumber, live.dwBuildNumber + 12345);  // not fetched again
  CVersionState::Record() = live;

  // The platform's own description (POSIX; empty on Windows) is not fetched again either.
  const CString native = CVersionState::NativeDescription();
  CVersionState::NativeDescription() = L"fetched before";
  EXPECT_EQ(second.GetVersionString(), L"fetched before");
  CVersionState::NativeDescription() = native;
}
