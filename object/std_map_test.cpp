#include "object/std_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/cstring.h"

namespace {

struct CCounted {
  virtual ~CCounted() { ++s_nDestroyed; }
  static int s_nDestroyed;
};
int CCounted::s_nDestroyed = 0;

using CCountedMap = CStdMap<CString, CCounted*>;

}  // namespace

TEST(StdMap, KeysAreCaseSensitiveAndTheScratchSlotNeverWritesTheMap) {
  CCounted::s_nDestroyed = 0;
  CCounted lower, upper;
  CCountedMap map;
  map.SetAt(L"a", &lower);
  map.SetAt(L"A", &upper);
  EXPECT_EQ(map.GetCount(), 2);
  EXPECT_EQ(map.Find(L"a"), &lower);
  EXPECT_EQ(map.Find(L"A"), &upper);

  EXPECT_EQ(map[L"a"], &lower);
  EXPECT_EQ(map[L"b"], nullptr);  // right after a present key
  map[L"b"] = &lower;
  EXPECT_EQ(map.Find(L"b"), nullptr);
  EXPECT_EQ(map[L"a"], &lower);
  EXPECT_EQ(map.GetCount(), 2);

  CCounted* value = &upper;
  EXPECT_EQ(map.Lookup(L"b", value), 0);
  EXPECT_EQ(value, &upper);
  EXPECT_EQ(map.Lookup(L"a", value), 1);
  EXPECT_EQ(value, &lower);

  std::vector<CString> keys;
  CString key;
  for (auto pos = map.begin(); pos != map.end();) {
    map.GetNextAssoc(pos, key, value);
    keys.push_back(key);
  }
  EXPECT_EQ(keys, (std::vector<CString>{L"A", L"a"}));

  const CCountedMap copy(map);  // the same pointers
  EXPECT_EQ(map.RemoveKey(L"a"), 1);
  EXPECT_EQ(map.RemoveKey(L"a"), 0);
  EXPECT_EQ(copy.Find(L"a"), &lower);
  EXPECT_EQ(CCounted::s_nDestroyed, 0);
}

TEST(StdMap, DestroysOnlyWhenToldAndEachValueOnce) {
  CCounted::s_nDestroyed = 0;
  auto* old = new CCounted;
  {
    CCountedMap map;
    map.SetAt(L"k", old);
    map.SetAt(L"k", new CCounted);  // replaces, destroys nothing
    EXPECT_EQ(CCounted::s_nDestroyed, 0);
    EXPECT_EQ(map.RemoveAndDestroy(L"k"), 1);
    EXPECT_EQ(CCounted::s_nDestroyed, 1);
    EXPECT_EQ(map.RemoveAndDestroy(L"k"), 0);

    auto* shared = new CCounted;
    map.SetAt(L"x", shared);
    map.SetAt(L"y", shared);
    map.SetAt(L"z", nullptr);
    map.RemoveAndDestroy();
    EXPECT_EQ(CCounted::s_nDestroyed, 2);
    EXPECT_NE(map.IsEmpty(), 0);

    map.SetAt(L"kept", old);
  }
  EXPECT_EQ(CCounted::s_nDestroyed, 2);  // the map's own end destroys nothing
  delete old;
}
