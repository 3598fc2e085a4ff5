#include <gtest/gtest.h>

#include "object/std_list.h"
#include "path/file_path.h"
#include "path/file_path_list.h"

TEST(FilePathChain, SplitIntoOneFolderEachAndRebuiltOnAnotherPath) {
  CFilePathList list;
  list.AddTail(new CFilePath(L"C:/kept.txt"));
  CFilePath(L"C:\\root.txt").SplitSubfolders(list);
  CFilePath(L"C:\\Work\\Src\\main.cpp").SplitSubfolders(list);
  ASSERT_EQ(list.GetCount(), 3u);
  EXPECT_EQ(list.GetTail()->MakePath(), L"C:/Src/main.cpp");
  list.RemoveAndDestroy(list.GetHead());
  CFilePath other(L"D:\\x\\y.doc");
  other.MakeSubfolders(list);
  EXPECT_EQ(other.MakePath(), L"D:/Work/Src/y.doc");
  other.MakeSubfolders(list = CFilePathList());  // assigning empties the list
  EXPECT_EQ(other.MakePath(), L"D:/y.doc");
  // Server and share are folder names too: the chain comes back local.
  CFilePathList network;
  CFilePath share(L"\\\\server\\share\\docs\\a.txt");
  share.SplitSubfolders(network);
  share.MakeSubfolders(network);
  EXPECT_EQ(share.MakePath(), L"/server/share/docs/a.txt");
}

TEST(FilePathChain, AddAppendSubstructAndUp) {
  // The other path's last folder name, a blank one included; a blank name
  // adds nothing, and no name at all fails.
  const struct { const wchar_t *to, *other; bool added; const wchar_t* result; } add[] = {
      {L"C:\\dst\\", L"C:\\src\\proj\\file.txt", true, L"C:/dst/proj/"},
      {L"C:\\dst\\", L"C:\\a\\ \\x.txt", true, L"C:/dst/"},
      {L"C:\\dst\\", L"/ /x.txt", true, L"C:/dst/"},
      {L"C:\\x.txt", L"/ /y.txt", true, L"C:/x.txt"},
      {L"x.txt", L"/ /y.txt", true, L"/x.txt"},
      {L"x.txt", L"/a/b /y.txt", true, L"/b/x.txt"},
      {L"C:\\dst\\", L"C:\\file.txt", false, L"C:/dst/"},
  };
  for (const auto& c : add) {
    CFilePath to(c.to);
    EXPECT_EQ(to.AddFolder(CFilePath(c.other)), c.added) << c.other;
    EXPECT_EQ(to.GetPath(), c.result) << c.other;
  }
  CFilePath p(L"C:\\dst\\proj\\", ptFolder);
  EXPECT_TRUE(p.AppendDir(CString()));
  EXPECT_TRUE(p.AppendDir(L"/x/"));
  EXPECT_TRUE(p.AppendDir(CFilePath(L"y\\z\\g.doc")));
  EXPECT_EQ(p.MakePath(), L"C:/dst/proj/x/y/z/");
  EXPECT_EQ(p.GetTailDir(), L"z");

  // Shared characters go, not whole names; case matters.
  const struct { const wchar_t *from, *other, *result; } cut[] = {
      {L"C:\\a\\b\\c\\f.txt", L"C:\\a\\b\\", L"C:/c/f.txt"},
      {L"/ab/x/f.txt", L"/a/", L"/b/x/f.txt"},
      {L"C:\\a\\b\\f.txt", L"D:\\a\\b\\g", L"C:/f.txt"},
      {L"C:\\a\\b\\f.txt", L"C:\\A\\B\\g", L"C:/a/b/f.txt"},
  };
  for (const auto& c : cut) {
    CFilePath f(c.from);
    EXPECT_TRUE(f.SubstructDir(CFilePath(c.other)));
    EXPECT_EQ(f.GetPath(), c.result) << c.from;
  }

  CFilePath up(L"C:\\a\\b\\c\\x.txt");
  up.UpDir();
  EXPECT_EQ(up.MakePath(), L"C:/a/b/x.txt");
  for (int i = 0; i < 3; ++i) up.UpDir();
  EXPECT_EQ(up.MakePath(), L"C:/x.txt");
  EXPECT_EQ(up.GetTailDir(), L"");
  CFilePath share(L"\\\\server\\share\\", ptFolder);
  share.UpDir();
  EXPECT_EQ(share.MakePath(), L"\\\\server\\");
}

TEST(FilePathChain, ParentIsExactlyOneFolderUpIgnoringCaseAndDrive) {
  const CFilePath ab(L"C:\\a\\b\\", ptFolder);
  EXPECT_TRUE(ab.IsParent(CFilePath(L"C:\\a\\b\\c\\", ptFolder)));
  EXPECT_TRUE(ab.IsParent(CFilePath(L"D:\\A\\B\\c\\y.txt")));
  EXPECT_FALSE(ab.IsParent(CFilePath(L"C:\\a\\b\\c\\d\\", ptFolder)));
  EXPECT_FALSE(ab.IsParent(ab));
  EXPECT_FALSE(ab.IsParent(CFilePath(L"C:\\a\\x\\c\\", ptFolder)));
  EXPECT_TRUE(CFilePath(L"C:\\x.txt").IsParent(CFilePath(L"E:\\only\\y.txt")));
  EXPECT_TRUE(CFilePath(L"\\\\server\\share\\", ptFolder).IsParent(CFilePath(L"\\\\server\\share\\docs\\a.txt")));
}
