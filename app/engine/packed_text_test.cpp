#include "app/engine/packed_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// One character of each length class, at both ends of it, and what a
// path may hold that is no character (a lone surrogate).
std::vector<CString> Texts() {
  std::vector<CString> texts = {L"",       L"a",       L"\x7F",   CString(1, wchar_t(0x80)), L"\x7FF",
                                L"\x800",  L"\xD800",  L"\xDCFF", L"\xFFFF",  L"/src/d1/f1.obj",
                                L"_r4_\u0101_b.obj",   L"?",      L"a?b"};
  if (sizeof(wchar_t) == 4) {
    for (const uint32_t v : {0x10000u, 0x1FFFFFu, 0x200000u, 0x3FFFFFFu, 0x4000000u, 0x7FFFFFFFu, 0x80000000u,
                             0xFFFFFFFFu})
      texts.push_back(CString(1, static_cast<wchar_t>(v)) + L"x");
  }
  return texts;
}

}  // namespace

TEST(PackedText, KeepsEveryTextWholeAndInItsOrder) {
  std::vector<CString> texts = Texts();
  for (const CString& text : texts) {
    const std::string packed = PackText(text);
    EXPECT_EQ(UnpackText(packed), text) << packed;
    EXPECT_EQ(packed.find('\0'), std::string::npos);
    // '?' stays one byte that nothing else holds: a record's lost character.
    EXPECT_EQ(std::count(packed.begin(), packed.end(), '?'), std::count(text.begin(), text.end(), L'?'));
  }
  EXPECT_EQ(PackText(L"/src/d1/f1.obj").size(), 14u);
  // A text cut inside a character never takes a byte beyond its end.
  const std::string e = PackText(L"\xE9");
  EXPECT_EQ(UnpackText(std::string_view(e.data(), 1)), CString(1, wchar_t(0x03)));
  const auto unsignedLess = [](const CString& a, const CString& b) {
    using U = std::make_unsigned_t<wchar_t>;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return U(x) < U(y); });
  };
  std::sort(texts.begin(), texts.end(), unsignedLess);
  for (size_t i = 1; i < texts.size(); ++i)
    EXPECT_LT(PackText(texts[i - 1]), PackText(texts[i])) << i;
}

TEST(PackedText, AStoreKeepsItsTextsInPlaceAcrossBlocksAndMoves) {
  CPackedStore store;
  std::vector<std::string_view> kept;
  const std::string big(100 * 1024, 'b');  // longer than a block
  for (int i = 0; i < 20000; ++i) kept.push_back(store.Pack(L"/src/d" + std::to_wstring(i) + L"/f.obj"));
  kept.push_back(store.Keep(big));
  kept.push_back(store.Pack(L"after"));
  CPackedStore moved = std::move(store);
  // The moved-from store and the moved one never write into the same place.
  const std::string_view own = store.Pack(L"own");
  const std::string_view next = moved.Pack(L"zzz");
  for (int i = 0; i < 20000; ++i) ASSERT_EQ(UnpackText(kept[i]), L"/src/d" + std::to_wstring(i) + L"/f.obj");
  EXPECT_EQ(kept[20000], big);
  EXPECT_EQ(kept[20001], "after");
  EXPECT_EQ(own, "own");
  EXPECT_EQ(next, "zzz");
  EXPECT_TRUE(store.Keep(std::string_view()).empty());
}
