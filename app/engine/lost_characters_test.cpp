#include "app/engine/lost_characters.h"

#include <gtest/gtest.h>

TEST(LostCharacters, AQuestionMarkStandsForOneCharacterOrOnePair) {
  const CString emoji = L"\xD83D\xDE00";  // one character, two UTF-16 units
  const struct {
    CString pattern, name;
    bool fits;
    CStringArray lost;
  } cases[] = {
      {L"_r4_?_b.obj", L"_r4_\u0101_b.obj", true, {L"\u0101"}},
      {L"_r4_?_b.obj", L"_r4_a_b.obj", true, {L"a"}},  // whether another record names it is the caller's matter
      {L"_???.obj", L"_\u03b1\u03b2\u03b3.obj", true, {L"\u03b1", L"\u03b2", L"\u03b3"}},
      {L"_?.obj", L"_" + emoji + L".obj", true, {emoji}},                        // the pair as one '?'
      {L"_??.obj", L"_" + emoji + L".obj", true, {L"\xD83D", L"\xDE00"}},        // or as two
      {L"_?.obj", L"_ab.obj", false, {}},
      {L"_?.obj", L"_.obj", false, {}},
      {L"_a.obj", L"_b.obj", false, {}},
      {L"_?.obj", L"_a.obj2", false, {}},
      {L"_?", L"_", false, {}},
  };
  for (const auto& c : cases) {
    CStringArray lost;
    EXPECT_EQ(FitsLostCharacters(c.pattern, c.name, lost), c.fits) << c.name.size();
    if (c.fits) {
      EXPECT_EQ(lost, c.lost);
    }
  }
}

TEST(LostCharacters, FillingPutsTheCharactersBackInOrder) {
  CString filled;
  EXPECT_TRUE(FillLostCharacters(L"D:\\r4\\?\\x?.obj", {L"\u03b1", L"\xD83D\xDE00"}, filled));
  EXPECT_EQ(filled, L"D:\\r4\\\u03b1\\x\xD83D\xDE00.obj");
  EXPECT_TRUE(FillLostCharacters(L"plain", {}, filled));
  EXPECT_EQ(filled, L"plain");
  EXPECT_FALSE(FillLostCharacters(L"a?b?", {L"x"}, filled));
  EXPECT_FALSE(FillLostCharacters(L"a?b", {L"x", L"y"}, filled));
}
