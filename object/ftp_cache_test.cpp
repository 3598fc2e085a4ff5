#include "object/ftp_cache.h"

#include <gtest/gtest.h>

#include <type_traits>

// Two caches would destroy the same lists.
static_assert(!std::is_copy_constructible_v<CFtpCache> && !std::is_copy_assignable_v<CFtpCache>);

namespace {

int g_nDestroyed = 0;

class CCountedPath : public CFtpPath {
 public:
  explicit CCountedPath(const wchar_t* p) : CFtpPath(p) {}
  ~CCountedPath() override { ++g_nDestroyed; }
};

class CCountedList : public CFtpPathList {
 public:
  explicit CCountedList(const CString& tag) : CFtpPathList(tag) {}
  ~CCountedList() override { ++g_nDestroyed; }
};

}  // namespace

TEST(FtpCache, KeepsOneOwningListPerDirectory) {
  g_nDestroyed = 0;
  CCountedPath a1(L"/a/1.txt");
  CCountedPath a2(L"/a/2.txt");
  CCountedPath b1(L"/b/1.txt");
  auto* shared = new CCountedPath(L"/c/shared.txt");
  {
    CFtpCache cache;
    CFtpPathList* a = cache.Add(a1);
    EXPECT_EQ(cache.Add(a2), a);
    CFtpPathList* b = cache.Add(b1);
    ASSERT_EQ(cache.GetCount(), 2);
    EXPECT_EQ(cache.CurList(L"/a/"), a);
    EXPECT_EQ(a->tag, L"/a/");
    EXPECT_EQ(a->GetCount(), 2u);
    EXPECT_EQ(b->GetCount(), 1u);
    EXPECT_NE(a->GetHead(), &a1);
    EXPECT_EQ(cache.CurList(L""), nullptr);
    EXPECT_EQ(cache.CurList(L"/A/"), nullptr);

    cache.SetAt(L"/c/", new CCountedList(L"/c/"));
    cache.CurList(L"/c/")->Add(new CCountedPath(L"/c/x.txt"));
    cache.CurList(L"/c/")->Add(shared);
    a->Add(shared);  // one object in two lists
    EXPECT_EQ(cache.Remove(shared), shared);  // from /a/ only, in key order
    EXPECT_EQ(a->GetCount(), 2u);
    a->Add(shared);
    cache.RemoveAndDestroy(shared);  // from both, destroyed once
    EXPECT_EQ(g_nDestroyed, 1);
    EXPECT_EQ(cache.CurList(L"/c/")->GetCount(), 1u);
    cache.RemoveAndDestroy(static_cast<CFtpPath*>(&b1));  // not held: untouched

    // Incoming names that the cached list already uses are made unique.
    CFtpPathList incoming(L"/a/");
    incoming.Add(new CFtpPath(L"/a/1.txt"));
    incoming.Add(new CFtpPath(L"/a/3.txt"));
    cache.UniqueName(L"/a/", incoming);
    EXPECT_EQ(incoming.GetHead()->GetFileName(true), L"1(1).txt");
    EXPECT_EQ(incoming.GetTail()->GetFileName(true), L"3.txt");

    EXPECT_EQ(cache.RemoveAndDestroy(CString(L"/b/")), 1);
    EXPECT_EQ(cache.RemoveAndDestroy(CString(L"/b/")), 0);
  }
  // The counted list and its counted path die with the cache; the paths
  // passed to Add never do.
  EXPECT_EQ(g_nDestroyed, 3);
}
