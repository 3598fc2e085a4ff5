#include "platform/cstring.h"

#include <gtest/gtest.h>

TEST(CStringHelpers, TrimRemovesWideWhiteSpaceAtBothEndsOnly) {
  CString s = L" \t\r\n a  b \n";
  EXPECT_EQ(TrimString(s), L"a  b");
  EXPECT_EQ(Trimmed(L"   "), L"");
  EXPECT_EQ(Trimmed(L""), L"");
}

TEST(CStringHelpers, CaseFoldingAndComparison) {
  EXPECT_EQ(ToUpper(L"Log.obj"), L"LOG.OBJ");
  EXPECT_EQ(ToLower(L"DEBUG"), L"debug");
  EXPECT_EQ(CompareNoCase(L"OBJ", L"obj"), 0);
  EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
  EXPECT_GT(CompareNoCase(L"abcd", L"ABC"), 0);
  EXPECT_NE(CompareNoCase(L"Debug", L"Debug2"), 0);
}

TEST(CStringHelpers, ReplaceAllIsCaseSensitiveAndDoesNotRescanOutput) {
  CString s = L"a//b//c";
  EXPECT_EQ(ReplaceAll(s, L"//", L"/"), 2);
  EXPECT_EQ(s, L"a/b/c");

  s = L"\\\\\\";  // three backslashes: one pass leaves two
  EXPECT_EQ(ReplaceAll(s, L"\\\\", L"\\"), 1);
  EXPECT_EQ(s, L"\\\\");

  s = L"Bob bob";
  EXPECT_EQ(RemoveAll(s, L"bob"), 1);
  EXPECT_EQ(s, L"Bob ");
  EXPECT_EQ(ReplaceAll(s, L"", L"x"), 0);
  EXPECT_EQ(s, L"Bob ");
}
