#include "text/string_tokenizer.h"

#include <gtest/gtest.h>

// Each case: calls of one member on one text, the pieces joined by "|", then
// " / " and the remaining text.
TEST(StringTokenizer, PiecesByDelimiterCharactersFromEitherEnd) {
  using Take = CString (CStringTokenizer::*)(const CString&);
  const struct { Take take; const wchar_t *text, *delimiters; int calls; const wchar_t* result; } cases[] = {
      {&CStringTokenizer::GetNextToken, L"a,,b", L",", 4, L"a||b| / "},
      {&CStringTokenizer::GetToken, L",a,,b,", L",", 3, L"a|b| / "},
      {&CStringTokenizer::GetPrev, L"C:\\dir\\file.txt", L"\\", 1, L"file.txt / C:\\dir"},
      {&CStringTokenizer::GetPrev, L"a//", L"/", 1, L"a / "},
      {&CStringTokenizer::GetPrevToken, L"a/b/", L"/", 3, L"|b|a / "},
  };
  for (const auto& c : cases) {
    CStringTokenizer t(c.text, false);
    CString pieces;
    for (int i = 0; i < c.calls; ++i) pieces += (i > 0 ? L"|" : L"") + (t.*c.take)(c.delimiters);
    EXPECT_EQ(pieces + L" / " + CString(t), c.result) << c.text;
  }

  CStringArray pieces{L"old"};
  CStringTokenizer s(L"  a  b ", false);
  s.SplitToken(pieces, L" ");
  EXPECT_EQ(pieces, (CStringArray{L"old", L"a", L"b"}));
  EXPECT_TRUE(s.IsEmpty());
}

TEST(StringTokenizer, EnclosedPiecesBetweenMarkers) {
  CStringTokenizer t(L"f(x)y", false);
  EXPECT_EQ(t.LeftToken('(', ')'), L"x");
  EXPECT_EQ(CString(t), L"y");

  // Failures change nothing: nothing between, close first, equal markers.
  for (const CString& text : {CString(L"f()y"), CString(L")(x)"), CString(L"|x|")}) {
    CStringTokenizer u(text, false);
    EXPECT_EQ(u.LeftToken('(', ')'), L"");
    EXPECT_EQ(u.LeftToken('|', '|'), L"");
    EXPECT_EQ(CString(u), text);
  }
  // A marker above 127 is sign-extended, so it is not U+00E9.
  t = CStringTokenizer(L"(x\u00e9", false);
  EXPECT_EQ(t.LeftToken('(', static_cast<char>(0xE9)), L"");
  EXPECT_EQ(t.GetLength(), 3);

  t = CStringTokenizer(L"a(b)c(d)e", false);
  EXPECT_EQ(t.RightToken('(', ')'), L"d");
  EXPECT_EQ(CString(t), L"a(b)c");
  t = CStringTokenizer(L"a(b)c)(", false);
  EXPECT_EQ(t.RightToken('(', ')'), L"");
  EXPECT_EQ(CString(t), L"a(b)c)(");

  CString left = L"L", right = L"R";
  t = CStringTokenizer(L"ab(cd)ef", false);
  EXPECT_EQ(t.SplitToken(left, '(', ')', right), L"cd");
  EXPECT_EQ(left, L"ab(");
  EXPECT_EQ(right, L")");
  EXPECT_EQ(CString(t), L"ef");
  EXPECT_EQ(t.SplitToken(left, '(', ')', right), L"");
  EXPECT_EQ(left, L"ab(");
}

TEST(StringTokenizer, CountsDelimiterStringsAndConstruction) {
  CStringTokenizer t(L"abc", false);
  EXPECT_EQ(t.Left(0), L"");
  EXPECT_EQ(t.Right(-1), L"");
  EXPECT_EQ(t.Right(1), L"c");
  EXPECT_EQ(t.Left(10), L"ab");
  EXPECT_TRUE(t.IsEmpty());

  t = CStringTokenizer(L"ab</X>", false);
  EXPECT_EQ(t.LeftToken(L"</X>"), L"ab");
  EXPECT_EQ(CString(t), L"ab</X>");
  t = CStringTokenizer(L"ab</X>cd", false);
  EXPECT_EQ(t.LeftToken(L"</X>"), L"ab");
  EXPECT_EQ(CString(t), L"cd");
  EXPECT_EQ(t.LeftToken(L"</X>"), L"");
  EXPECT_EQ(CString(t), L"cd");

  t = CStringTokenizer(L"a\r\nb\tc", false);
  t.RemoveCtrlChar();
  EXPECT_EQ(CString(t), L"abc");

  EXPECT_EQ(CString(CStringTokenizer(L" x ", true)), L"x");
  EXPECT_EQ(CStringTokenizer(L" x ", false).GetLength(), 3);
  EXPECT_EQ(CString(CStringTokenizer(" a=b\t", true)), L"a=b");
  EXPECT_TRUE(CStringTokenizer(static_cast<const char*>(nullptr), true).IsEmpty());
  CStringTokenizer copy(CStringTokenizer(L" y\n", false));
  EXPECT_EQ(copy.Trim(), L"y");
  EXPECT_EQ(CString(copy), L"y");
}

TEST(StringTokenizer, LongRunsOfDelimitersAndManyPiecesTakeLinearTime) {
  // Taken one delimiter or one piece at a time from the front, each of these
  // would move about 10^12 characters.
  const CString blanks(1000000, L' ');
  CStringTokenizer t(blanks + L"x" + blanks, false);
  EXPECT_EQ(t.GetToken(L" "), L"x");
  t = CStringTokenizer(blanks + L"x" + blanks, false);
  EXPECT_EQ(t.GetPrev(L" "), L"x");

  CString many;
  for (int i = 0; i < 500000; ++i) many += L"a ";
  CStringArray pieces;
  CStringTokenizer(many, false).SplitToken(pieces, L" ");
  EXPECT_EQ(pieces.size(), 500000u);
}
