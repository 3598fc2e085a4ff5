#include <gtest/gtest.h>

#include "path/file_path.h"
#include "platform/file_attributes.h"
#include "platform/file_system.h"
#include "platform/testing/test_files.h"

TEST(FilePathFs, ExistenceTestsIgnoreATrailingSeparatorAndBlanks) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "123"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));
  const CString file = tmp / L"a.txt", folder = tmp / L"sub";

  EXPECT_TRUE(CFilePath::IsExistsFile(file + L"  "));
  EXPECT_FALSE(CFilePath::IsExistsDirectory(file));
  for (const CString& spelling : {folder, folder + L"/", folder + L"\\ \t"}) {
    EXPECT_FALSE(CFilePath::IsExistsFile(spelling)) << spelling;
    EXPECT_TRUE(CFilePath::IsExistsDirectory(spelling)) << spelling;
  }
  for (const CString& nothing : {CString(), CString(L"/"), CString(L" \\ "), tmp / L"missing"}) {
    EXPECT_FALSE(CFilePath::IsExistsFile(nothing)) << nothing;
    EXPECT_FALSE(CFilePath::IsExistsDirectory(nothing)) << nothing;
  }

  // The member tests: the file itself fills the attribute block; the folder
  // test asks about the folder that holds a missing file.
  CFilePath a(file);
  EXPECT_TRUE(a.IsExistsFile());
  EXPECT_EQ(a.Length(), 3u);
  EXPECT_TRUE(a.IsFile());
  EXPECT_FALSE(a.IsFolder());
  CFilePath missing(tmp / L"missing.txt");
  EXPECT_FALSE(missing.IsExists());
  EXPECT_TRUE(missing.IsExistsDirectory());
  EXPECT_FALSE(CFilePath(tmp / L"gone/missing.txt").IsExistsDirectory());
  CFilePath sub(folder, ptFolder);
  EXPECT_TRUE(sub.IsExists());
  EXPECT_FALSE(sub.IsExistsFile());
  EXPECT_TRUE(sub.IsFolder());
  EXPECT_FALSE(CFilePath().IsFolder());
  EXPECT_FALSE(CFilePath().IsFile());
}

TEST(FilePathFs, DeleteFileRemovesOneWritableFileOnly) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"ro.txt", "keep"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));
  ASSERT_TRUE(PlatformSetFileAttributes(tmp / L"ro.txt", FILE_ATTRIBUTE_READONLY));

  const CFilePath a(tmp / L"a.txt");
  EXPECT_TRUE(a.DeleteFileW());
  EXPECT_FALSE(ExistsForTesting(tmp / L"a.txt"));
  EXPECT_EQ(a.GetFileName(true), L"a.txt");
  EXPECT_FALSE(a.DeleteFileW());

  EXPECT_FALSE(CFilePath::DeleteFileW(tmp / L"ro.txt"));
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(tmp / L"ro.txt", bytes));
  EXPECT_EQ(bytes, "keep");
  EXPECT_FALSE(CFilePath::DeleteFileW(tmp / L"sub/"));
  EXPECT_TRUE(ExistsForTesting(tmp / L"sub"));
  EXPECT_FALSE(CFilePath::DeleteFileW(L" "));
  EXPECT_TRUE(PlatformSetFileAttributes(tmp / L"ro.txt", FILE_ATTRIBUTE_NORMAL));
}

TEST(FilePathFs, RenameFileKeepsItsFolderAndNeverReplaces) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "a"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"taken.doc", "taken"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));

  CFilePath p(tmp / L"a.txt");
  EXPECT_TRUE(p.RenameFile(L"report.doc"));
  EXPECT_EQ(p.GetFileName(true), L"report.doc");
  EXPECT_TRUE(p.RenameFile(L"notes"));
  EXPECT_EQ(p.GetFileName(true), L"notes.doc");
  EXPECT_FALSE(ExistsForTesting(tmp / L"a.txt"));
  EXPECT_TRUE(ExistsForTesting(tmp / L"notes.doc"));

  // Onto an existing name, or out of the folder: nothing changes.
  for (const wchar_t* name : {L"taken", L"taken.doc", L"../out.doc", L"sub\\in.doc"}) {
    EXPECT_FALSE(p.RenameFile(name)) << name;
    EXPECT_EQ(p.GetFileName(true), L"notes.doc");
  }
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(tmp / L"taken.doc", bytes));
  EXPECT_EQ(bytes, "taken");
  EXPECT_TRUE(ReadFileForTesting(tmp / L"notes.doc", bytes));
  EXPECT_EQ(bytes, "a");
  EXPECT_FALSE(ExistsForTesting(tmp / L"sub/in.doc"));

  CFilePath missing(tmp / L"missing.txt");
  EXPECT_FALSE(missing.RenameFile(L"other.txt"));
  EXPECT_EQ(missing.GetFileName(true), L"missing.txt");
}

TEST(FilePathFs, CreateFolderMakesEveryMissingLevelAndCreateDirectoryOnlyTheLast) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"a"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"file", "keep"));

  const CFilePath deep(tmp / L"a/b/c/x.txt");
  EXPECT_FALSE(deep.CreateDirectoryW());
  EXPECT_FALSE(ExistsForTesting(tmp / L"a/b"));
  EXPECT_TRUE(deep.CreateFolder());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(tmp / L"a/b/c"));
  EXPECT_FALSE(ExistsForTesting(tmp / L"a/b/c/x.txt"));
  EXPECT_TRUE(deep.CreateFolder());

  const CFilePath folder(tmp / L"a/b/d", ptFolder);
  EXPECT_TRUE(folder.CreateDirectoryW());
  EXPECT_TRUE(folder.CreateDirectoryW());
  EXPECT_TRUE(folder.IsFolder());

  // A file in the way stays a file.
  EXPECT_FALSE(CFilePath(tmp / L"file/sub/x.txt").CreateFolder());
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(tmp / L"file", bytes));
  EXPECT_EQ(bytes, "keep");
}

TEST(FilePathFs, CreateFolderGoesThroughALinkToAFolderAndStopsAtADanglingOne) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"target"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"gone"));
  if (!MakeUnixLinkForTesting(tmp / L"target", tmp / L"link") || !MakeUnixLinkForTesting(tmp / L"gone", tmp / L"dangling"))
    GTEST_SKIP() << "this system makes no symbolic links to folders";
  ASSERT_TRUE(RemoveTreeForTesting(tmp / L"gone"));

  EXPECT_TRUE(CFilePath(tmp / L"link/new/x.txt").CreateFolder());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(tmp / L"target/new"));

  // mkdir makes nothing at the place of a dangling link, nor where it points.
  EXPECT_FALSE(CFilePath(tmp / L"dangling/new/x.txt").CreateFolder());
  EXPECT_FALSE(ExistsForTesting(tmp / L"gone"));
}

TEST(FilePathFs, CreateFolderOnANetworkPathStartsAtTheShare) {
  CScopedNetworkShare share;
  if (share.Path().empty())
    GTEST_SKIP() << "no network share to write to: POSIX has no network paths, and Windows has one only under Wine";
  const CFilePath p(share.Path() + L"\\new\\deeper\\x.txt");
  ASSERT_TRUE(p.IsNetwork());
  EXPECT_FALSE(p.IsExistsDirectory());
  EXPECT_TRUE(p.CreateFolder());
  EXPECT_TRUE(p.IsExistsDirectory());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(share.Path() + L"\\new\\"));
}

TEST(FilePathFs, UrlShortAndDisplayForms) {
  EXPECT_EQ(CFilePath(L"C:\\Work\\a.txt").GetURL(), L"file://C:/Work/a.txt");
  EXPECT_EQ(CFilePath().GetURL(), L"file://");

  EXPECT_EQ(CFilePath(L"C:/Documents and Settings/ann/My Documents/My Pictures/cat.jpg").GetDisplayPathName(),
            L"../My Pictures/cat.jpg");
  EXPECT_EQ(CFilePath(L"C:/Documents and Settings/ann/Desktop/My Documents/a.txt").GetDisplayPathName(),
            L"../My Documents/a.txt");
  EXPECT_EQ(CFilePath(L"C:/ann/Desktop/todo.txt").GetDisplayPathName(), L"../Desktop/todo.txt");
  EXPECT_EQ(CFilePath(L"C:/ann/desktop/todo.txt").GetDisplayPathName(), L"C:/ann/desktop/todo.txt");

  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a long file name.text"));
  const CString shortName = CFilePath(tmp / L"a long file name.text").GetShortPathNameW();
  EXPECT_TRUE(CFilePath::IsExistsFile(shortName)) << shortName;
  EXPECT_EQ(CFilePath(tmp / L"missing.txt").GetShortPathNameW(), L"");
}
