#include "text/format_value.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FormatValue, DigitsAreGroupedWithAtMostFourCommas) {
  const struct {
    const wchar_t* text;
    const wchar_t* grouped;
  } cases[] = {{L"", L""},          {L"12", L"12"},         {L"123", L"123"},
               {L"1000", L"1,000"}, {L"-1234", L"-1,234"},  {L"123456", L"123,456"},
               {L"-123456", L"-123,456"}, {L"1234567890", L"1,234,567,890"},
               {L"1234567890123456", L"1234,567,890,123,456"}};
  for (const auto& c : cases) EXPECT_EQ(FormatValue(CString(c.text), true), c.grouped) << c.text;
}

// Every integer type has its own overload, so a caller's value is never
// converted to another type's form: only the 64-bit pair shows a size.
TEST(FormatValue, EachIntegerTypeKeepsItsOwnForm) {
  EXPECT_EQ(FormatValue(5000, true), L"5,000");
  EXPECT_EQ(FormatValue(INT_MIN, true), L"-2,147,483,648");
  EXPECT_EQ(FormatValue(UINT_MAX, true), L"4,294,967,295");
  EXPECT_EQ(FormatValue(5000L, true), L"5,000");
  EXPECT_EQ(FormatValue(-123456L, true), L"-123,456");
  EXPECT_EQ(FormatValue(5000UL, true), L"5,000");
  EXPECT_EQ(FormatValue(ULONG_MAX, true), sizeof(long) == 8 ? L"18446744,073,709,551,615" : L"4,294,967,295");
  EXPECT_EQ(FormatValue(5000LL, true), L"4.9 KB");
  EXPECT_EQ(FormatValue(5000ULL, true), L"4.9 KB");
  EXPECT_EQ(FormatValue(123456789012345LL, false), L"123,456,789,012,345");
  EXPECT_EQ(FormatValue(LLONG_MIN, false), L"-9223372,036,854,775,808");
  EXPECT_EQ(FormatValue(ULLONG_MAX, false), L"18446744,073,709,551,615");
}

TEST(FormatValue, SizesTakeTheFirstUnitTheValueExceeds) {
  const struct {
    long long value;
    const wchar_t* size;
  } cases[] = {{0, L"0.0   B"},          {1024, L"1024.0   B"},       {1025, L"1.0 KB"},
               {1536, L"1.5 KB"},        {1048576, L"1024.0 KB"},     {1048577, L"1.0 MB"},
               {1073741824, L"1024.0 MB"}, {1073741825, L"1.0 GB"}, {-5000, L"-5000.0   B"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatValue(c.value, true), c.size) << c.value;
    if (c.value >= 0) {
      EXPECT_EQ(FormatValue(static_cast<unsigned long long>(c.value), true), c.size) << c.value;
    }
  }
  // Unsigned: the top bit is part of the value, not a sign.
  EXPECT_EQ(FormatValue(ULLONG_MAX, true), L"17179869184.0 GB");
}
