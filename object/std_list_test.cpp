#include "object/std_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "path/file_path.h"

namespace {

// A path that counts its destructions.
class CCountedPath : public CFilePath {
 public:
  CCountedPath() = default;
  explicit CCountedPath(const wchar_t* p) : CFilePath(p) {}
  CCountedPath(const CCountedPath& o) = default;
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
    owning.Add(a);
    owning.Add(nullptr);
    owning.AddHead(a);
    owning.AddTail(b);
    CCountedList borrowing(false);
    borrowing.Add(a);
    borrowing.Add(b);
    borrowing.Remove(b);  // removes, destroys nothing
    EXPECT_EQ(borrowing.GetCount(), 1u);

    owning.RemoveAndDestroy(a);  // both entries of a, one destruction
    EXPECT_EQ(Destroyed(), 1);
    EXPECT_EQ(owning.GetCount(), 2u);  // nullptr, b

    owning.Add(b);  // b twice again
    borrowing.RemoveAll();
  }
  // The owning list destroyed b once; the borrowing one nothing.
  EXPECT_EQ(Destroyed(), 2);
}

TEST_F(StdList, CopiesAreDeepAndCopyDestroysBorrowedElements) {
  CFilePathList paths;
  paths.Add(new CFilePath(L"C:\\Work\\main.cpp"));
  paths.Add(new CFilePath(L"D:\\x\\y.doc"));
  paths.ShowError(L"last");
  const CFilePathList copy(paths);
  ASSERT_EQ(copy.GetCount(), 2u);
  EXPECT_NE(copy.GetHead(), paths.GetHead());
  EXPECT_TRUE(copy.GetHead()->IsEqual(*paths.GetHead()));
  EXPECT_EQ(Forward(copy), Forward(paths));
  EXPECT_EQ(copy.GetLastError(), L"last");

  {
    CCountedList first;
    first.Add(new CCountedPath(L"a"));
    first.Add(new CCountedPath(L"b"));
    CCountedList second(first);
    second += second;  // copies of the two it held
    EXPECT_EQ(second.GetCount(), 4u);
    second = second;  // onto itself: nothing lost
    EXPECT_EQ(second.GetCount(), 4u);
  }
  EXPECT_EQ(Destroyed(), 6);

  // Copy destroys what the list held, owned or borrowed, and takes the
  // source's owning flag.
  CCountedList source;
  source.Add(new CCountedPath(L"s"));
  auto* borrowed = new CCountedPath(L"borrowed");
  {
    CCountedList target(false);
    target.Add(borrowed);
    target.Copy(source);
    EXPECT_EQ(Destroyed(), 7);
    EXPECT_EQ(Forward(target), std::vector<CString>{L"s"});
  }
  EXPECT_EQ(Destroyed(), 8);  // the copy, owned now
}

TEST_F(StdList, PositionsWalkBothWaysAndSetAtInsertsBefore) {
  CFilePathList list;
  const CFilePathList& constant = list;
  EXPECT_TRUE(list.IsEnd(list.GetTailPosition()));
  EXPECT_TRUE(constant.IsEnd(constant.GetHeadPosition()));

  list.Add(new CFilePath(L"a"));
  list.Add(new CFilePath(L"b"));
  list.SetAt(list.GetHeadPosition(), new CFilePath(L"p"));
  EXPECT_EQ(Forward(constant), (std::vector<CString>{L"p", L"a", L"b"}));

  std::vector<CString> backward;
  for (auto pos = constant.GetTailPosition(); !constant.IsEnd(pos);) {
    backward.push_back(constant.GetPrev(pos)->GetPath());
  }
  EXPECT_EQ(backward, (std::vector<CString>{L"b", L"a", L"p"}));

  auto pos = list.GetTailPosition();
  CFilePath*& last = list.GetPrev(pos);  // the list's own slot
  delete last;
  last = nullptr;
  EXPECT_EQ(list.GetTail(), nullptr);
  EXPECT_EQ(list.GetAt(pos)->GetPath(), L"a");
}

TEST_F(StdList, ForEachAndListRemovalSurviveDestruction) {
  CCountedList list;
  for (const wchar_t* name : {L"a", L"b", L"c"}) list.Add(new CCountedPath(name));
  int visited = 0;
  struct CContext {
    CCountedList* list;
    int* visited;
  } context{&list, &visited};
  list.ForEach(
      [](CCountedPath* p, void* c) {
        auto* ctx = static_cast<CContext*>(c);
        ++*ctx->visited;
        ctx->list->RemoveAndDestroy(p);
      },
      &context);
  EXPECT_EQ(visited, 3);
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
  EXPECT_TRUE(mine.IsEmpty());
}
