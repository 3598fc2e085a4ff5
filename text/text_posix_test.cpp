// The POSIX stand-ins behind the text utilities: the LARGE_INTEGER type and
// the C library's error texts.
#include <gtest/gtest.h>

#include "text/format_value.h"
#include "text/hresult.h"

TEST(TextPosix, LargeIntegerIsFormattedByItsQuadPart) {
  LARGE_INTEGER value;
  value.QuadPart = 1536;
  EXPECT_EQ(FormatValue(value, true), L"1.5 KB");
  value.QuadPart = -1234567;
  EXPECT_EQ(FormatValue(value, false), L"-1,234,567");
}

TEST(TextPosix, SystemTextsAreTheErrnoTexts) {
  EXPECT_EQ(DescribeHResult(2),
            L"HRESULT = 2 FACILITY = FACILITY_NULL ERROR_FILE_NOT_FOUND No such file or directory");
  EXPECT_EQ(DescribeHResult(0x80070005),
            L"HRESULT = 80070005 FACILITY = FACILITY_WIN32 E_ACCESSDENIED Permission denied");
  EXPECT_EQ(GetSystemErrorMessage(32), L"Device or resource busy");
  EXPECT_EQ(GetSystemErrorMessage(1400), L"FormatMessage Netive Error");  // no errno counterpart
  EXPECT_EQ(GetSystemErrorMessage(0x100000020ul), L"FormatMessage Netive Error");  // not 32, wider
}
