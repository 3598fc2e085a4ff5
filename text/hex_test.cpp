#include "text/hex.h"

#include <gtest/gtest.h>

TEST(Hex, BytesBecomeUpperCasePairsEachFollowedByABlank) {
  const uint8_t bytes[] = {0x0A, 0x1B, 0xFF};
  EXPECT_EQ(HexToString(bytes, 3), L"0A 1B FF ");
  EXPECT_EQ(HexToString(bytes, 0) + HexToString(bytes, -1) + HexToString(nullptr, 3), L"");
}

TEST(Hex, TextReadsBackWithEverySeparatorDropped) {
  for (const wchar_t* text : {L"0A 1B FF ", L"0a-1b-ff", L"0A:1B:FF", L"0A1BFF", L"0a,1b.ff/", L"0A\r\n1B\nFF"}) {
    uint8_t buffer[4] = {0, 0, 0, 0x55};
    EXPECT_EQ(StringToHex(text, buffer, 4), 3) << text;
    EXPECT_EQ(HexToString(buffer, 4), L"0A 1B FF 55 ") << text;
  }

  // A pair that is no number stores 0; a lone last character is one digit.
  uint8_t buffer[3] = {9, 9, 9};
  EXPECT_EQ(StringToHex(L"zz abc", buffer, 3), 3);
  EXPECT_EQ(HexToString(buffer, 3), L"00 AB 0C ");

  // Nothing to read, or no room: nothing stored.
  EXPECT_EQ(StringToHex(L"", buffer, 3), 0);
  EXPECT_EQ(StringToHex(L" -:,./\r\n", buffer, 3), 0);
  EXPECT_EQ(StringToHex(L"01", buffer, 0), 0);
  EXPECT_EQ(HexToString(buffer, 3), L"00 AB 0C ");

  // A full buffer ends the reading.
  EXPECT_EQ(StringToHex(L"01 02 03", buffer, 2), 2);
  EXPECT_EQ(HexToString(buffer, 3), L"01 02 0C ");
}

TEST(Hex, GetHexValueReadsTheLeadingNumberOf32Bits) {
  EXPECT_EQ(GetHexValue(L"ff"), 255u);
  EXPECT_EQ(GetHexValue(L"0x1A"), 26u);
  EXPECT_EQ(GetHexValue(L"  0X1a and more"), 26u);
  EXPECT_EQ(GetHexValue(L"FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(GetHexValue(L"100000000"), 0u);  // nine digits do not fit
  EXPECT_EQ(GetHexValue(L"zz"), 0u);
  EXPECT_EQ(GetHexValue(L""), 0u);

  // Only the first 127 bytes are read, never more.
  EXPECT_EQ(GetHexValue(CString(125, L' ') + L"1A"), 26u);
  EXPECT_EQ(GetHexValue(CString(126, L' ') + L"1A"), 1u);
  EXPECT_EQ(GetHexValue(CString(5000, L' ') + L"1A"), 0u);
}
