#include "object/std_map.h"

#include <gtest/gtest.h>

#include "platform/cstring.h"

namespace {

struct CCounted {
  virtual ~CCounted() { ++s_nDestroyed; }
  static int s_nDestroyed;
};
int CCounted::s_nDestroyed = 0;

}  // namespace

TEST(StdMap, CaseSensitiveKeysScratchSlotAndDestruction) {
  CCounted::s_nDestroyed = 0;
  CCounted lower;
  {
    CStdMap<CString, CCounted*> map;
    map.SetAt(L"a", &lower);
    map.SetAt(L"A", nullptr);
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_EQ(map[L"a"], &lower);
    EXPECT_EQ(map[L"b"], nullptr);  // right after a present key
    map[L"b"] = &lower;             // the slot only
    EXPECT_EQ(map.Find(L"b"), nullptr);
    EXPECT_EQ(map.GetCount(), 2);
    CCounted* value = &lower;
    EXPECT_EQ(map.Lookup(L"A", value) * 10 + map.Lookup(L"B", value), 10);
    CString key;
    auto pos = map.begin();
    map.GetNextAssoc(pos, key, value = &lower);
    EXPECT_TRUE(key == L"A" && value == nullptr && pos->first == L"a");  // in key order

    auto* old = new CCounted;
    map.SetAt(L"k", old);
    map.SetAt(L"k", new CCounted);  // replaces, destroys nothing
    EXPECT_EQ(CCounted::s_nDestroyed, 0);
    EXPECT_EQ(map.RemoveAndDestroy(L"k"), 1);
    EXPECT_EQ(map.RemoveAndDestroy(L"k"), 0);
    EXPECT_EQ(CCounted::s_nDestroyed, 1);
    delete old;

    auto* shared = new CCounted;
    EXPECT_EQ(map.RemoveKey(L"a"), 1);
    map.SetAt(L"x", shared);
    map.SetAt(L"y", shared);
    map.RemoveAndDestroy();  // shared once, null skipped
    EXPECT_EQ(CCounted::s_nDestroyed, 3);
    map.SetAt(L"gone", &lower);
    map.RemoveAll();  // destroys nothing
    EXPECT_TRUE(map.IsEmpty());
    map.SetAt(L"kept", &lower);
  }
  EXPECT_EQ(CCounted::s_nDestroyed, 3);  // the map's own end destroys nothing
}
