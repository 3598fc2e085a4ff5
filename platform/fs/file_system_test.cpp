#include "platform/fs/file_system.h"

#include <gtest/gtest.h>

#include "platform/sys/process.h"
#include "testing/test_files.h"

TEST(FileSystem, MoveNeverReplacesAnExistingFileOrFolder) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.obj", "first"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"b.obj", "second"));
  EXPECT_EQ(PlatformMoveFile(tmp / L"a.obj", tmp / L"b.obj"), 0);
  EXPECT_NE(PlatformLastError(), 0);
  EXPECT_EQ(ContentForTesting(tmp / L"a.obj"), "first");
  EXPECT_EQ(ContentForTesting(tmp / L"b.obj"), "second");

  // rename() would silently replace an empty folder; the move must not.
  ASSERT_TRUE(WriteFileForTesting(tmp / L"Debug/x.txt", "x"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"Empty"));
  EXPECT_EQ(PlatformMoveFile(tmp / L"Debug", tmp / L"Empty"), 0);
  EXPECT_EQ(ContentForTesting(tmp / L"Debug/x.txt"), "x");

  EXPECT_EQ(PlatformMoveFile(tmp / L"a.obj", tmp / L"c.obj"), 1);
  EXPECT_EQ(PlatformLastError(), 0);
  EXPECT_FALSE(ExistsForTesting(tmp / L"a.obj"));
  EXPECT_EQ(ContentForTesting(tmp / L"c.obj"), "first");
  EXPECT_EQ(PlatformMoveFile(tmp / L"Debug", tmp / L"Moved"), 1);
  EXPECT_EQ(ContentForTesting(tmp / L"Moved/x.txt"), "x");
}

TEST(FileSystem, MoveNeverReplacesADanglingLink) {
  // A link whose target is gone still stands where the item would go (Wine
  // looks through it and would replace it).
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"target"));
  if (!MakeLinkForTesting(tmp / L"target", tmp / L"link", true) &&
      !MakeUnixLinkForTesting(tmp / L"target", tmp / L"link"))
    GTEST_SKIP() << "no links here";
  ASSERT_TRUE(RemoveTreeForTesting(tmp / L"target"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.obj", "a"));
  EXPECT_EQ(PlatformMoveFile(tmp / L"a.obj", tmp / L"link"), 0);
  EXPECT_EQ(ContentForTesting(tmp / L"a.obj"), "a");
  // The link is still there (Wine cannot even show it): the name stays taken.
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"Debug"));
  EXPECT_EQ(PlatformMoveFile(tmp / L"Debug", tmp / L"link"), 0);
  EXPECT_TRUE(ExistsForTesting(tmp / L"Debug"));
}

TEST(FileSystem, MoveToAnotherVolumeFailsAndNeverCopies) {
  const CString other = OtherVolumeForTesting();
  if (other.empty()) GTEST_SKIP() << "no second volume to write to here";
  CScopedTempFolder here;
  CScopedTempFolder there(other);
  ASSERT_TRUE(WriteFileForTesting(there / L"a.obj", "far"));
  EXPECT_EQ(PlatformMoveFile(there / L"a.obj", here / L"a.obj"), 0);
  EXPECT_EQ(ContentForTesting(there / L"a.obj"), "far");
  EXPECT_FALSE(ExistsForTesting(here / L"a.obj"));
}

TEST(FileSystem, ArchiveAloneClearsReadOnly) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"f.obj", "x"));
  uint32_t attributes = 0;
  ASSERT_TRUE(PlatformSetFileAttributes(tmp / L"f.obj", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(PlatformGetFileAttributes(tmp / L"f.obj", attributes));
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_TRUE(PlatformSetFileAttributes(tmp / L"f.obj", FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(PlatformGetFileAttributes(tmp / L"f.obj", attributes));
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(PlatformSetFileAttributes(tmp / L"missing", FILE_ATTRIBUTE_ARCHIVE));
}

TEST(FileSystem, IdentityIgnoresSpellingAndTellsItemsApart) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"a"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"b"));
  CFileIdentity a, again, b;
  ASSERT_TRUE(PlatformFileIdentity(tmp / L"a", a));
  const CString sep(1, PlatformPathSeparator());
  ASSERT_TRUE(PlatformFileIdentity(tmp.Path() + sep + sep + L"a" + sep, again));
  ASSERT_TRUE(PlatformFileIdentity(tmp / L"b", b));
  EXPECT_EQ(a, again);
  EXPECT_NE(a, b);
  EXPECT_FALSE(PlatformFileIdentity(tmp / L"c", b));
}

TEST(FileSystem, NamesAndLongPathsReachTheFileSystemAsWritten) {
  // Plain Windows paths lose a trailing dot or blank, take device names for
  // the devices and end at 260 characters.
  CScopedTempFolder tmp;
  const CString sep(1, PlatformPathSeparator());
  CString deep = tmp.Path();
  for (const wchar_t letter : {L'a', L'b', L'c'}) {
    deep += sep + CString(100, letter);
    ASSERT_TRUE(PlatformCreateDirectory(deep));
  }
  ASSERT_GT(deep.size(), 300u);
  for (const wchar_t* name : {L"Debug.", L"Debug", L"blank "}) EXPECT_TRUE(PlatformCreateDirectory(tmp / name)) << name;
  CFileIdentity dotted, plain;
  ASSERT_TRUE(PlatformFileIdentity(tmp / L"Debug.", dotted));
  ASSERT_TRUE(PlatformFileIdentity(tmp / L"Debug", plain));
  EXPECT_NE(dotted, plain);

  uint32_t attributes = 0;
  for (const wchar_t* name : {L"con.obj", L"nul.obj", L"com1.obj"}) {
    ASSERT_TRUE(WriteFileForTesting(tmp / name, "x")) << name;
    EXPECT_TRUE(PlatformSetFileAttributes(tmp / name, FILE_ATTRIBUTE_READONLY)) << name;
    ASSERT_TRUE(PlatformGetFileAttributes(tmp / name, attributes)) << name;
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY), FILE_ATTRIBUTE_READONLY) << name;
    EXPECT_EQ(PlatformMoveFile(tmp / name, deep + sep + name), 1) << name;
    EXPECT_EQ(ContentForTesting(deep + sep + name), "x") << name;
  }
  EXPECT_EQ(PlatformMoveFile(tmp / L"Debug.", deep + sep + L"Debug."), 1);
  EXPECT_TRUE(ExistsForTesting(tmp / L"Debug"));
  EXPECT_TRUE(ExistsForTesting(deep + sep + L"Debug."));
}
