#include <gtest/gtest.h>

#include "object/std_list.h"
#include "path/file_path.h"

namespace {

CString PathOf(CFilePath p) { return p.MakePath(); }

}  // namespace

TEST(FilePathChain, SplitIntoOneFolderEachAndRebuiltOnAnotherPath) {
  CFilePathList list;
  list.AddTail(new CFilePath(L"C:/kept.txt"));
  CFilePath(L"C:\\Work\\Src\\main.cpp").SplitSubfolders(list);
  ASSERT_EQ(list.GetCount(), 3u);
  auto it = list.begin();
  EXPECT_EQ(PathOf(**++it), L"C:/Work/main.cpp");
  EXPECT_EQ(PathOf(**++it), L"C:/Src/main.cpp");
  list.RemoveAndDestroy(list.GetHead());

  CFilePath other(L"D:\\x\\y.doc");
  other.MakeSubfolders(list);
  EXPECT_EQ(PathOf(other), L"D:/Work/Src/y.doc");
  other.MakeSubfolders(CFilePathList());
  EXPECT_EQ(PathOf(other), L"D:/y.doc");

  CFilePathList none;
  CFilePath(L"C:\\root.txt").SplitSubfolders(none);
  EXPECT_TRUE(none.IsEmpty());

  // The server and the share are folder names too; the rebuilt chain is no
  // longer a network path.
  CFilePathList network;
  CFilePath share(L"\\\\server\\share\\docs\\a.txt");
  share.SplitSubfolders(network);
  ASSERT_EQ(network.GetCount(), 3u);
  EXPECT_EQ(network.GetHead()->GetDir(), L"/server/");
  share.MakeSubfolders(network);
  EXPECT_EQ(PathOf(share), L"/server/share/docs/a.txt");
}

TEST(FilePathChain, AddAppendAndSubstructFolders) {
  CFilePath dst(L"C:\\dst\\", ptFolder);
  EXPECT_TRUE(dst.AddFolder(CFilePath(L"C:\\src\\proj\\file.txt")));
  EXPECT_EQ(PathOf(dst), L"C:/dst/proj/");
  EXPECT_FALSE(dst.AddFolder(CFilePath(L"C:\\file.txt")));
  EXPECT_EQ(PathOf(dst), L"C:/dst/proj/");

  CFilePath a(L"/a/f.txt");
  EXPECT_TRUE(a.AppendDir(CString()));
  EXPECT_EQ(PathOf(a), L"/a/f.txt");
  EXPECT_TRUE(a.AppendDir(L"/x/"));
  EXPECT_EQ(PathOf(a), L"/a/x/f.txt");
  EXPECT_TRUE(a.AppendDir(CFilePath(L"\\y\\z\\g.doc")));
  EXPECT_EQ(PathOf(a), L"/a/x/y/z/f.txt");

  CFilePath f(L"C:\\a\\b\\c\\f.txt");
  EXPECT_TRUE(f.SubstructDir(CFilePath(L"C:\\a\\b\\", ptFolder)));
  EXPECT_EQ(PathOf(f), L"C:/c/f.txt");
  // Characters, not whole names, are shared.
  CFilePath ab(L"/ab/x/f.txt");
  ab.SubstructDir(CFilePath(L"/a/", ptFolder));
  EXPECT_EQ(PathOf(ab), L"/b/x/f.txt");
  CFilePath same(L"C:\\a\\b\\f.txt");
  same.SubstructDir(CFilePath(L"D:\\a\\b\\g.txt"));
  EXPECT_EQ(PathOf(same), L"C:/f.txt");
  CFilePath cased(L"C:\\a\\b\\f.txt");
  cased.SubstructDir(CFilePath(L"C:\\A\\B\\f.txt"));
  EXPECT_EQ(PathOf(cased), L"C:/a/b/f.txt");
}

TEST(FilePathChain, UpDirStopsAtTheRootAndTailDirNamesTheLastFolder) {
  CFilePath p(L"C:\\a\\b\\c\\x.txt");
  p.UpDir();
  EXPECT_EQ(PathOf(p), L"C:/a/b/x.txt");
  p.UpDir();
  p.UpDir();
  EXPECT_EQ(PathOf(p), L"C:/x.txt");
  p.UpDir();
  EXPECT_EQ(PathOf(p), L"C:/x.txt");

  CFilePath share(L"\\\\server\\share\\", ptFolder);
  share.UpDir();
  EXPECT_EQ(share.GetDir(), L"\\\\server\\");
  EXPECT_TRUE(share.IsNetwork());

  EXPECT_EQ(CFilePath(L"C:\\Work\\Src\\", ptFolder).GetTailDir(), L"Src");
  EXPECT_EQ(CFilePath(L"C:\\file.txt").GetTailDir(), L"");
}

TEST(FilePathChain, ParentIsExactlyOneFolderUpIgnoringCaseAndDrive) {
  const CFilePath ab(L"C:\\a\\b\\", ptFolder);
  EXPECT_TRUE(ab.IsParent(CFilePath(L"C:\\a\\b\\c\\", ptFolder)));
  EXPECT_TRUE(ab.IsParent(CFilePath(L"D:\\A\\B\\c\\y.txt")));
  EXPECT_FALSE(ab.IsParent(CFilePath(L"C:\\a\\b\\c\\d\\", ptFolder)));
  EXPECT_FALSE(ab.IsParent(ab));
  EXPECT_FALSE(ab.IsParent(CFilePath(L"C:\\a\\x\\c\\", ptFolder)));
  EXPECT_TRUE(CFilePath(L"C:\\A\\", ptFolder).IsParent(CFilePath(L"c:/a/b/", ptFolder)));
  EXPECT_TRUE(CFilePath(L"C:\\x.txt").IsParent(CFilePath(L"E:\\only\\y.txt")));
  EXPECT_TRUE(CFilePath(L"\\\\server\\share\\", ptFolder).IsParent(CFilePath(L"\\\\server\\share\\docs\\a.txt")));
}
