#include "text/format_value.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FormatValue, DigitsAreGroupedWithAtMostFourCommas) {
  EXPECT_EQ(FormatValue(CString(L"12"), false), L"12");
  EXPECT_EQ(FormatValue(CString(L"123"), false), L"123");
  EXPECT_EQ(FormatValue(CString(L"1000"), false), L"1,000");
  EXPECT_EQ(FormatValue(CString(L"123456"), false), L"123,456");
  EXPECT_EQ(FormatValue(CString(L"1234567890"), false), L"1,234,567,890");
  EXPECT_EQ(FormatValue(CString(L""), false), L"");

  // The 32-bit overloads ignore their bool: never a unit.
  EXPECT_EQ(FormatValue(int32_t{1234567}, true), L"1,234,567");
  EXPECT_EQ(FormatValue(std::numeric_limits<uint32_t>::max(), true), L"4,294,967,295");

  EXPECT_EQ(FormatValue(int64_t{123456789012345}, false), L"123,456,789,012,345");
  EXPECT_EQ(FormatValue(int64_t{1234567890123456}, false), L"1234,567,890,123,456");
  EXPECT_EQ(FormatValue(std::numeric_limits<uint64_t>::max(), false), L"18446744,073,709,551,615");
}

TEST(FormatValue, NegativeValuesKeepTheSignOutOfTheGroups) {
  EXPECT_EQ(FormatValue(int32_t{-12}, false), L"-12");
  EXPECT_EQ(FormatValue(int32_t{-123456}, false), L"-123,456");
  EXPECT_EQ(FormatValue(std::numeric_limits<int32_t>::min(), false), L"-2,147,483,648");
  EXPECT_EQ(FormatValue(std::numeric_limits<int64_t>::min(), false), L"-9223372,036,854,775,808");
  EXPECT_EQ(FormatValue(CString(L"-1234"), false), L"-1,234");
}

TEST(FormatValue, SizesTakeTheFirstUnitTheValueExceeds) {
  EXPECT_EQ(FormatValue(int64_t{0}, true), L"0.0   B");
  EXPECT_EQ(FormatValue(int64_t{1024}, true), L"1024.0   B");
  EXPECT_EQ(FormatValue(int64_t{1025}, true), L"1.0 KB");
  EXPECT_EQ(FormatValue(uint64_t{1536}, true), L"1.5 KB");
  EXPECT_EQ(FormatValue(int64_t{1048576}, true), L"1024.0 KB");
  EXPECT_EQ(FormatValue(uint64_t{1048577}, true), L"1.0 MB");
  EXPECT_EQ(FormatValue(int64_t{1073741824}, true), L"1024.0 MB");
  EXPECT_EQ(FormatValue(int64_t{1073741825}, true), L"1.0 GB");
  EXPECT_EQ(FormatValue(int64_t{-5000}, true), L"-5000.0   B");
  EXPECT_EQ(FormatValue(std::numeric_limits<uint64_t>::max(), true), L"17179869184.0 GB");
}
