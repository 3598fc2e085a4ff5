// The Windows side of the text utilities: the platform's LARGE_INTEGER and
// the system's message table (Wine's, under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include "text/format_value.h"
#include "text/hresult.h"

TEST(TextWin32, LargeIntegerIsFormattedByItsQuadPart) {
  LARGE_INTEGER value;
  value.QuadPart = 1536;
  EXPECT_EQ(FormatValue(value, true), L"1.5 KB");
  value.u.LowPart = 0xFFED2979;  // -1234567
  value.u.HighPart = -1;
  EXPECT_EQ(FormatValue(value, false), L"-1,234,567");
}

TEST(TextWin32, SystemTextsComeFromTheMessageTable) {
  EXPECT_EQ(DescribeHResult(2), L"HRESULT = 2 FACILITY = FACILITY_NULL ERROR_FILE_NOT_FOUND File not found.\r\n");
  EXPECT_EQ(DescribeHResult(0x80070005),
            L"HRESULT = 80070005 FACILITY = FACILITY_WIN32 E_ACCESSDENIED Access denied.\r\n");
  EXPECT_EQ(GetSystemErrorMessage(32), L"Sharing violation.\r\n");
  EXPECT_EQ(GetSystemErrorMessage(1400), L"Invalid window handle.\r\n");
  // Insert sequences stay as written: no arguments are there to fill them.
  EXPECT_EQ(GetSystemErrorMessage(193), L"Bad EXE format for %1.\r\n");
  EXPECT_EQ(DescribeHResult(193),
            L"HRESULT = c1 FACILITY = FACILITY_NULL ERROR_BAD_EXE_FORMAT Bad EXE format for %1.\r\n");
}
