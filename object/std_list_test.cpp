#include "object/std_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "path/file_path.h"
#include "path/file_path_list.h"

namespace {

// A path that counts its destructions.
class CCountedPath : public CFilePath {
 public:
  explicit CCountedPath(const wchar_t* p) : CFilePath(p) {}
  CCountedPath() = default;
  ~CCountedPath() override { ++s_nDestroyed; }
  static int s_nDestroyed;
};
int CCountedPath::s_nDestroyed = 0;

using CCountedList = CStdList<CCountedPath, CCountedPath*>;

class StdList : public ::testing::Test {
 protected:
  void SetUp() override { CCountedPath::s_nDestroyed = 0; }
  static int Destroyed() { return CCountedPath::s_nDestroyed; }
};

template <class List>
std::vector<CString> Forward(const List& list) {
  std::vector<CString> names;
  for (auto pos = list.GetHeadPosition(); !list.IsEnd(pos);) names.push_back(list.GetNext(pos)->GetPath());
  return names;
}

}  // namespace

TEST_F(StdList, DestroysEachObjectOnce) {
  auto* a = new CCountedPath(L"a");
  auto* b = new CCountedPath(L"b");
  {
    CCountedList owning;
    owning.AddHead(a);
    owning.Add(nullptr);
    owning.AddTail(a);
    owning.Add(b);
    CCountedList borrowing(false);
    borrowing.Add(b);
    owning.RemoveAndDestroy(a);  // both entries, one destruction
    EXPECT_EQ(Destroyed(), 1);
    owning.RemoveAndDestroy(nullptr);  // nothing: the null entry stays
    EXPECT_EQ(owning.GetCount(), 2u);
    owning.Add(b);
    owning.Remove(b);  // both entries, nothing destroyed
    EXPECT_EQ(owning.GetCount() * 10 + Destroyed(), 11u);
    owning.Add(b);
    owning.Add(b);  // b twice
  }
  // The owning list destroyed b once; the borrowing one nothing.
  EXPECT_EQ(Destroyed(), 2);
}

TEST_F(StdList, CopiesAreDeepAndCopyDestroysBorrowedElements) {
  CFilePathList paths;
  paths.Add(new CFilePath(L"C:\\Work\\main.cpp"));
  paths.Add(new CFilePath(L"D:\\x\\y.doc"));
  const CFilePathList copy(paths);
  EXPECT_NE(copy.GetHead(), paths.GetHead());
  EXPECT_EQ(Forward(copy), Forward(paths));

  CCountedList source;
  source.Add(new CCountedPath(L"s"));
  {
    CCountedList twice(source);
    twice += twice;  // copies of what it held
    twice = twice;   // onto itself: nothing lost
    EXPECT_EQ(Forward(twice), (std::vector<CString>{L"s", L"s"}));
  }
  EXPECT_EQ(Destroyed(), 2);

  // Copy destroys what the list held, borrowed or not, and takes the
  // source's owning flag.
  {
    CCountedList target(false);
    target.Add(new CCountedPath(L"borrowed"));
    target.Copy(source);
    EXPECT_EQ(Destroyed(), 3);
  }
  EXPECT_EQ(Destroyed(), 4);
}

TEST_F(StdList, PositionsWalkBothWaysAndSetAtInsertsBefore) {
  CFilePathList list;
  const CFilePathList& constant = list;
  EXPECT_TRUE(constant.IsEnd(constant.GetTailPosition()));
  list.Add(new CFilePath(L"a"));
  list.AddTail(new CFilePath(L"b"));
  list.SetAt(list.GetHeadPosition(), new CFilePath(L"p"));
  EXPECT_EQ(Forward(constant), (std::vector<CString>{L"p", L"a", L"b"}));

  std::vector<CString> backward;
  for (auto pos = list.GetTailPosition(); !list.IsEnd(pos);) backward.push_back(list.GetPrev(pos)->GetPath());
  EXPECT_EQ(backward, (std::vector<CString>{L"b", L"a", L"p"}));
}

TEST_F(StdList, ForEachAndListRemovalSurviveDestruction) {
  CCountedList list;
  for (const wchar_t* name : {L"a", L"b", L"c"}) list.Add(new CCountedPath(name));
  list.ForEach([](CCountedPath* p, void* l) { static_cast<CCountedList*>(l)->RemoveAndDestroy(p); }, &list);
  EXPECT_EQ(Destroyed(), 3);
  EXPECT_TRUE(list.IsEmpty());

  // -= takes the shared elements out and destroys them through the other
  // list; on itself it destroys its own.
  auto* shared = new CCountedPath(L"shared");
  CCountedList mine(false);
  mine.Add(shared);
  mine.Add(new CCountedPath(L"own"));
  CCountedList other;
  other.Add(shared);
  mine -= other;
  EXPECT_EQ(Destroyed(), 4);
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(Forward(mine), std::vector<CString>{L"own"});
  mine -= mine;
  EXPECT_EQ(Destroyed(), 5);
}
