#include "text/format.h"

#include <gtest/gtest.h>

TEST(Format, PadsButNeverCutsText) {
  EXPECT_EQ(Format(L"[%-10s][%-10s]", L"-Start ", L"==Start App"), L"[-Start    ][==Start App]");
  EXPECT_EQ(Format(L"[%9s][%.2s]", L"ab", CString(L"abcdef")), L"[       ab][ab]");

  // Far longer than any fixed buffer: written whole.
  const CString longText(100000, L'x');
  const CString line = Format(L"%-10s : %s  %-50s%s", L"... ", L"", longText, L"\r\n");
  EXPECT_EQ(line.size(), 10u + 3u + 2u + longText.size() + 2u);
  EXPECT_EQ(line.substr(line.size() - 2), L"\r\n");
  EXPECT_EQ(Format(L"%1000001d%*d", 1, 2000000000, 2).size(), 100000u + 999999u);  // absurd widths are cut
}

TEST(Format, NumbersFollowPrintf) {
  EXPECT_EQ(Format(L"\\%04d_%02d_%02d", 2026, 12, 5), L"\\2026_12_05");
  EXPECT_EQ(Format(L"== Done: %d of %d ", 3, 4), L"== Done: 3 of 4 ");
  EXPECT_EQ(Format(L"%#x %X %u", 255, 255u, 7u), L"0xff FF 7");
  EXPECT_EQ(Format(L"%x %llx", -1, -1LL), L"ffffffff ffffffffffffffff");  // the argument's own width
  const CFormatArg raw{CFormatArg::kSigned, -1, ~0ULL};  // built by hand, no size: all 64 bits
  EXPECT_EQ(FormatArgs(L"%x", &raw, 1), L"ffffffffffffffff");
  EXPECT_EQ(Format(L"%I64d %ld %lu", 1LL << 40, 5L, 6UL), L"1099511627776 5 6");
  EXPECT_EQ(Format(L"%.2f%% %.0f", 12.345, 2.7), L"12.35% 3");
  EXPECT_EQ(Format(L"%c%c %p", L'o', L'k', reinterpret_cast<const void*>(0xbeef)), L"ok beef");
  EXPECT_EQ(Format(L"%*d|%*d|", 4, 7, -3, 8), L"   7|8  |");  // a negative width justifies left
}

TEST(Format, MismatchedOrMissingArgumentsAreHarmless) {
  EXPECT_EQ(Format(L"%d and %s %s", L"text", 42, 0.5), L"text and 42 0.5");
  EXPECT_EQ(Format(L"%s %s", L"one"), L"one %s");
  EXPECT_EQ(Format(L"100%% sure, trailing %"), L"100% sure, trailing %");
  const wchar_t* none = nullptr;
  EXPECT_EQ(Format(L"%s", none) + Format(none), L"(null)");  // no format: no text
}
