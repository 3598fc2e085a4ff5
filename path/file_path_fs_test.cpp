#include <gtest/gtest.h>

#include "path/file_path.h"
#include "platform/fs/file_attributes.h"
#include "platform/fs/file_system.h"
#include "testing/test_files.h"

namespace {

std::string Content(const CString& path) {
  std::string bytes;
  return ReadFileForTesting(path, bytes) ? bytes : "(missing)";
}

}  // namespace

TEST(FilePathFs, ExistenceTestsIgnoreATrailingSeparatorAndBlanks) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "123"));
  const CString folder = tmp / L"sub";
  ASSERT_TRUE(MakeFoldersForTesting(folder));

  EXPECT_TRUE(CFilePath::IsExistsFile(tmp / L"a.txt  "));
  for (const CString& spelling : {folder, folder + L"/", folder + L"\\ \t"})
    EXPECT_TRUE(CFilePath::IsExistsDirectory(spelling) && !CFilePath::IsExistsFile(spelling)) << spelling;
  for (const CString& nothing : {CString(), CString(L"/"), CString(L" \\ "), tmp / L"missing"})
    EXPECT_FALSE(CFilePath::IsExistsDirectory(nothing) || CFilePath::IsExistsFile(nothing)) << nothing;

  CFilePath a(tmp / L"a.txt");
  EXPECT_TRUE(a.IsExistsFile() && a.Length() == 3 && a.IsFile() && !a.IsFolder());
  CFilePath sub(folder, ptFolder);
  EXPECT_TRUE(sub.IsExists() && !sub.IsExistsFile() && sub.IsFolder() && !sub.IsFile());
  // The folder test asks about the folder that would hold a missing file.
  CFilePath missing(tmp / L"missing.txt");
  EXPECT_TRUE(!missing.IsExists() && missing.IsExistsDirectory());
  EXPECT_FALSE(CFilePath(tmp / L"gone/missing.txt").IsExistsDirectory());
  EXPECT_FALSE(CFilePath().IsFolder() || CFilePath().IsFile());
}

TEST(FilePathFs, DeleteFileRemovesOneWritableFileOnly) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt") && WriteFileForTesting(tmp / L"ro.txt", "keep"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));
  ASSERT_TRUE(PlatformSetFileAttributes(tmp / L"ro.txt", FILE_ATTRIBUTE_READONLY));

  const CFilePath a(tmp / L"a.txt");
  EXPECT_TRUE(a.DeleteFileW());
  EXPECT_FALSE(ExistsForTesting(tmp / L"a.txt"));
  EXPECT_FALSE(a.DeleteFileW());
  EXPECT_FALSE(CFilePath::DeleteFileW(tmp / L"ro.txt"));
  EXPECT_EQ(Content(tmp / L"ro.txt"), "keep");
  EXPECT_FALSE(CFilePath::DeleteFileW(tmp / L"sub/"));
  EXPECT_TRUE(ExistsForTesting(tmp / L"sub"));
  EXPECT_TRUE(PlatformSetFileAttributes(tmp / L"ro.txt", FILE_ATTRIBUTE_NORMAL));
}

TEST(FilePathFs, RenameFileKeepsItsFolderAndNeverReplaces) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "a") && WriteFileForTesting(tmp / L"taken.doc", "taken"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"sub"));

  CFilePath p(tmp / L"a.txt");
  EXPECT_TRUE(p.RenameFile(L"report.doc"));
  EXPECT_TRUE(p.RenameFile(L"notes"));
  EXPECT_EQ(p.GetFileName(true), L"notes.doc");
  EXPECT_EQ(Content(tmp / L"notes.doc"), "a");
  // Onto an existing name, or out of the folder: nothing changes.
  for (const wchar_t* name : {L"taken", L"../out.doc", L"sub\\in.doc"}) {
    EXPECT_FALSE(p.RenameFile(name)) << name;
    EXPECT_EQ(p.GetFileName(true), L"notes.doc");
  }
  EXPECT_EQ(Content(tmp / L"taken.doc"), "taken");
  EXPECT_EQ(Content(tmp / L"notes.doc"), "a");
  EXPECT_FALSE(ExistsForTesting(tmp / L"sub/in.doc"));
}

TEST(FilePathFs, CreateFolderMakesEveryMissingLevelAndCreateDirectoryOnlyTheLast) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"a") && WriteFileForTesting(tmp / L"file", "keep"));

  const CFilePath deep(tmp / L"a/b/c/x.txt");
  EXPECT_FALSE(deep.CreateDirectoryW());
  EXPECT_FALSE(ExistsForTesting(tmp / L"a/b"));
  EXPECT_TRUE(deep.CreateFolder());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(tmp / L"a/b/c"));
  EXPECT_FALSE(ExistsForTesting(tmp / L"a/b/c/x.txt"));
  EXPECT_TRUE(deep.CreateFolder() && deep.CreateDirectoryW());
  EXPECT_TRUE(CFilePath(tmp / L"a/b/d", ptFolder).CreateDirectoryW());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(tmp / L"a/b/d"));

  // A file in the way stays a file.
  EXPECT_FALSE(CFilePath(tmp / L"file/sub/x.txt").CreateFolder());
  EXPECT_EQ(Content(tmp / L"file"), "keep");
}

TEST(FilePathFs, CreateFolderGoesThroughALinkToAFolderAndStopsAtADanglingOne) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"target") && MakeFoldersForTesting(tmp / L"gone"));
  if (!MakeUnixLinkForTesting(tmp / L"target", tmp / L"link") || !MakeUnixLinkForTesting(tmp / L"gone", tmp / L"dangling"))
    GTEST_SKIP() << "this system makes no symbolic links to folders";
  ASSERT_TRUE(RemoveTreeForTesting(tmp / L"gone"));

  EXPECT_TRUE(CFilePath(tmp / L"link/new/x.txt").CreateFolder());
  EXPECT_TRUE(CFilePath::IsExistsDirectory(tmp / L"target/new"));
  // Nothing is made in place of a dangling link, nor where it points.
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
  EXPECT_TRUE(CFilePath::IsExistsDirectory(share.Path() + L"\\new\\deeper\\"));
}

TEST(FilePathFs, UrlShortAndDisplayForms) {
  EXPECT_EQ(CFilePath(L"C:\\Work\\a.txt").GetURL(), L"file://C:/Work/a.txt");
  EXPECT_EQ(CFilePath(L"C:/ann/My Documents/My Pictures/cat.jpg").GetDisplayPathName(), L"../My Pictures/cat.jpg");
  EXPECT_EQ(CFilePath(L"C:/ann/Desktop/My Documents/a.txt").GetDisplayPathName(), L"../My Documents/a.txt");
  EXPECT_EQ(CFilePath(L"C:/ann/desktop/todo.txt").GetDisplayPathName(), L"C:/ann/desktop/todo.txt");

  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a long file name.text"));
  const CString shortName = CFilePath(tmp / L"a long file name.text").GetShortPathNameW();
  EXPECT_TRUE(CFilePath::IsExistsFile(shortName)) << shortName;
  EXPECT_EQ(CFilePath(tmp / L"missing.txt").GetShortPathNameW(), L"");
}
