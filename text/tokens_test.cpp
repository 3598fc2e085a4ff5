#include "text/tokens.h"

#include <gtest/gtest.h>

// Each case: calls of one function on one text, the pieces joined by "|",
// then " / " and what is left of the text.
TEST(Tokens, PiecesComeOffTheFrontAndTheDelimiterGoesWithThem) {
  using Take = CString (*)(CString&, const CString&);
  const struct { Take take; const wchar_t *text, *delimiters; int calls; const wchar_t* result; } cases[] = {
      {GetNextToken, L"a=b", L"=", 1, L"a / b"},
      {GetNextToken, L"abc", L"=", 1, L"abc / "},
      {GetNextToken, L"=b", L"=", 1, L" / b"},
      {GetNextToken, L"x;y,z", L",;", 2, L"x|y / z"},  // any character of the set, in any order
      {GetNextToken, L"a,,b", L",", 4, L"a||b| / "},   // empty pieces are pieces
      {GetToken, L"a,,b", L",", 3, L"a|b| / "},        // and are skipped
      {GetToken, L"    ", L" ", 1, L" / "},
      {GetToken, L"/LOG -x", L"-/ ", 2, L"LOG|x / "},
      {GetToken, L"obj\tpdb  exe", L" ", 2, L"obj\tpdb|exe / "},  // tabs are not blanks
  };
  for (const auto& c : cases) {
    CString s = c.text, pieces;
    for (int i = 0; i < c.calls; ++i) pieces += (i > 0 ? L"|" : L"") + c.take(s, c.delimiters);
    EXPECT_EQ(pieces + L" / " + s, c.result) << c.text;
  }
}

TEST(Tokens, GetLeftTokenTakesAtMostTheWholeText) {
  CString s = L"abcdef";
  EXPECT_EQ(GetLeftToken(s, 2), L"ab");
  EXPECT_EQ(s, L"cdef");
  EXPECT_EQ(GetLeftToken(s, 0) + GetLeftToken(s, -3), L"");
  EXPECT_EQ(s, L"cdef");
  EXPECT_EQ(GetLeftToken(s, 100), L"cdef");
  EXPECT_EQ(s, L"");
}
