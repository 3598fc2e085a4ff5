#include "platform/encoding.h"

#include <gtest/gtest.h>

TEST(Encoding, AsciiIsUnchangedBothWays) {
  EXPECT_EQ(NarrowToAnsi(L"C:\\src\\a.obj\r\n"), "C:\\src\\a.obj\r\n");
  EXPECT_EQ(WidenFromAnsi("plain text"), L"plain text");
  EXPECT_EQ(NarrowToAnsi(L""), "");
}

TEST(Encoding, UnrepresentableCharactersBecomeTheDefaultCharacter) {
  // A lone surrogate can be represented in no 8-bit encoding.
  CString text = L"a";
  text += static_cast<wchar_t>(0xD800);
  text += L"b";
  EXPECT_EQ(NarrowToAnsi(text), "a?b");
  // CJK is outside every Western code page and is UTF-8 on POSIX.
  const std::string cjk = NarrowToAnsi(L"\x4E2D");
#ifdef _WIN32
  EXPECT_EQ(cjk, "?");
#else
  EXPECT_EQ(cjk, "\xE4\xB8\xAD");
  EXPECT_EQ(WidenFromAnsi(cjk), L"\x4E2D");
  EXPECT_EQ(WidenFromAnsi("a\xFF"), CString(L"a") + static_cast<wchar_t>(0xFFFD));
#endif
}
