#include "text/tokens.h"

#include <gtest/gtest.h>

TEST(Tokens, GetNextTokenSplitsAtFirstDelimiterAndDropsIt) {
  CString s = L"a=b";
  EXPECT_EQ(GetNextToken(s, L"="), L"a");
  EXPECT_EQ(s, L"b");

  s = L"abc";
  EXPECT_EQ(GetNextToken(s, L"="), L"abc");
  EXPECT_EQ(s, L"");

  s = L"=b";
  EXPECT_EQ(GetNextToken(s, L"="), L"");
  EXPECT_EQ(s, L"b");

  // Any character of the set ends a piece, whatever its order in the set.
  s = L"x;y,z";
  EXPECT_EQ(GetNextToken(s, L",;"), L"x");
  EXPECT_EQ(GetNextToken(s, L";,"), L"y");
  EXPECT_EQ(s, L"z");
}

TEST(Tokens, EmptyPiecesAreReturnedByGetNextTokenAndSkippedByGetToken) {
  CString s = L"a,,b";
  EXPECT_EQ(GetNextToken(s, L","), L"a");
  EXPECT_EQ(GetNextToken(s, L","), L"");
  EXPECT_EQ(GetNextToken(s, L","), L"b");
  EXPECT_EQ(GetNextToken(s, L","), L"");
  EXPECT_TRUE(s.empty());

  s = L"a,,b";
  EXPECT_EQ(GetToken(s, L","), L"a");
  EXPECT_EQ(GetToken(s, L","), L"b");
  EXPECT_EQ(GetToken(s, L","), L"");
  EXPECT_TRUE(s.empty());

  s = L"    ";
  EXPECT_EQ(GetToken(s, L" "), L"");
  EXPECT_TRUE(s.empty());
}

TEST(Tokens, GetTokenSplitsASwitchList) {
  CString s = L"/LOG -x";
  EXPECT_EQ(GetToken(s, L"-/ "), L"LOG");
  EXPECT_EQ(GetToken(s, L"-/ "), L"x");
  EXPECT_TRUE(s.empty());

  // Tabs are not blanks: they belong to the tokens.
  s = L"obj\tpdb  exe";
  EXPECT_EQ(GetToken(s, L" "), L"obj\tpdb");
  EXPECT_EQ(GetToken(s, L" "), L"exe");
}

TEST(Tokens, GetLeftTokenTakesAtMostTheWholeText) {
  CString s = L"abcdef";
  EXPECT_EQ(GetLeftToken(s, 2), L"ab");
  EXPECT_EQ(s, L"cdef");
  EXPECT_EQ(GetLeftToken(s, 0), L"");
  EXPECT_EQ(GetLeftToken(s, -3), L"");
  EXPECT_EQ(s, L"cdef");
  EXPECT_EQ(GetLeftToken(s, 100), L"cdef");
  EXPECT_EQ(s, L"");
}
