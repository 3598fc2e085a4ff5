#include "ftp/ftp_cache.h"

#include <gtest/gtest.h>

#include <type_traits>

// Two caches would destroy the same lists.
static_assert(!std::is_copy_constructible_v<CFtpCache> && !std::is_copy_assignable_v<CFtpCache>);

namespace {

int g_nDestroyed = 0;

class CCountedPath : public CFtpPath {
 public:
  using CFtpPath::CFtpPath;
  ~CCountedPath() override { ++g_nDestroyed; }
};

class CCountedList : public CFtpPathList {
 public:
  using CFtpPathList::CFtpPathList;
  ~CCountedList() override { ++g_nDestroyed; }
};

}  // namespace

TEST(FtpCache, KeepsOneOwningListPerDirectory) {
  CCountedPath a1(L"/a/1.txt");
  CCountedPath b1(L"/b/1.txt");
  auto* shared = new CCountedPath(L"/c/shared.txt");
  g_nDestroyed = 0;
  {
    CFtpCache cache;
    CFtpPathList* a = cache.Add(a1);
    EXPECT_EQ(cache.Add(CFtpPath(L"/a/2.txt")), a);
    CFtpPathList* b = cache.Add(b1);
    EXPECT_EQ(cache.CurList(L"/a/"), a);
    EXPECT_EQ(a->tag, L"/a/");
    EXPECT_EQ(a->GetCount() * 10 + b->GetCount(), 21u);
    EXPECT_EQ(cache.CurList(L""), nullptr);

    cache.SetAt(L"/c/", new CCountedList(L"/c/"));
    cache.CurList(L"/c/")->Add(shared);
    a->Add(shared);  // one object in two lists, twice in the first
    a->Add(shared);
    EXPECT_EQ(cache.Remove(shared), shared);  // all of /a/, first in key order
    EXPECT_EQ(a->GetCount() * 10 + cache.CurList(L"/c/")->GetCount(), 21u);
    for (CFtpPathList* list : {a, b}) list->Add(shared);
    cache.RemoveAndDestroy(&a1);     // held by no list: left alone
    cache.RemoveAndDestroy(shared);  // from all three, destroyed once
    EXPECT_EQ(g_nDestroyed, 1);
    EXPECT_TRUE(cache.CurList(L"/c/")->IsEmpty());
    cache.CurList(L"/c/")->Add(new CCountedPath(L"/c/x.txt"));

    CFtpPathList incoming;
    incoming.Add(new CFtpPath(L"/a/1.txt"));
    incoming.Add(new CFtpPath(L"/a/3.txt"));
    cache.UniqueName(L"/z/", incoming);  // no list there: nothing
    cache.UniqueName(L"/a/", incoming);
    cache.UniqueName(nullptr, &a1);
    cache.UniqueName(a, &b1);
    const CString names = incoming.GetHead()->GetFileName(true) + incoming.GetTail()->GetFileName(true);
    EXPECT_EQ(names + a1.GetFileName(true) + b1.GetFileName(true), L"1(1).txt3.txt1.txt1(1).txt");
    EXPECT_EQ(cache.RemoveAndDestroy(CString(L"/b/")), 1);
  }
  // The counted list and its path die with the cache, never the paths added.
  EXPECT_EQ(g_nDestroyed, 3);
}
