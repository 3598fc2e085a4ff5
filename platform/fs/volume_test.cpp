#include "platform/fs/volume.h"

#include <gtest/gtest.h>

#include "platform/sys/process.h"
#include "testing/test_files.h"

TEST(Volume, WindowsDriveIsTheFirstCharacterAndAColon) {
  if (PlatformPathSeparator() != L'\\') GTEST_SKIP() << "Windows drive rule";
  EXPECT_EQ(GetSourceDrive(L"D:\\Work\\Proj"), L"D:");
  EXPECT_EQ(GetSourceDrive(L"\\\\server\\share\\x"), L"\\:");
  EXPECT_EQ(GetDrivePrefix(L"D:\\Work\\Proj\\a.obj"), L"D:");
  EXPECT_EQ(GetDrivePrefix(L"\\\\server\\share\\a.obj"), L"\\\\");
}

TEST(Volume, PosixDriveIsHomeWhenTheSourceIsUnderIt) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "POSIX volume rule";
  CScopedTempFolder home;
  ASSERT_TRUE(MakeFoldersForTesting(home / L"src/deep"));
  CScopedEnvironment env(L"HOME", home.Path() + L"/");  // a trailing slash changes nothing
  EXPECT_EQ(GetSourceDrive(home / L"src/deep"), home.Path());
  EXPECT_EQ(GetSourceDrive(home.Path()), home.Path());
  // A folder that does not exist yet is measured where it would be.
  EXPECT_EQ(GetSourceDrive(home / L"src/not-yet"), home.Path());

  CString expected = home.Path();
  ReplaceAll(expected, L"/", L"\\");
  EXPECT_EQ(GetDrivePrefix(home / L"src/deep/a.obj"), expected);
  EXPECT_EQ(GetDrivePrefix(home / L"src/Debug/"), expected);

  // A sibling whose name merely begins with the home folder's name is not under it.
  {
    CScopedEnvironment env2(L"HOME", home / L"sr");
    EXPECT_NE(GetSourceDrive(home / L"src/deep"), home / L"sr");
  }
  // A home reached through a link still holds the trash folder of the
  // folders under it, as the file system names it.
  ASSERT_TRUE(MakeLinkForTesting(home.Path(), home / L"homelink", true));
  CScopedEnvironment env3(L"HOME", home / L"homelink");
  EXPECT_EQ(GetSourceDrive(home / L"src/deep"), home.Path());
}

TEST(Volume, PosixDriveIsTheMountPointOutsideHome) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "POSIX volume rule";
  CScopedTempFolder here;
  ASSERT_TRUE(MakeFoldersForTesting(here / L"src"));
  CScopedEnvironment env(L"HOME", here / L"elsewhere");
  const CString drive = GetSourceDrive(here / L"src");
  // The mount point of the build tree: an ancestor of the folder, or the root.
  EXPECT_EQ((here / L"src").compare(0, drive.size() + 1, drive + L"/"), 0) << drive;
  EXPECT_NE(drive, here / L"src");
}

TEST(Volume, PosixDriveOfAnotherVolumeIsItsMountPointEvenUnderHome) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "POSIX volume rule";
  const CString other = OtherVolumeForTesting();
  if (other.empty()) GTEST_SKIP() << "no second volume to write to here";
  CScopedTempFolder here;
  CScopedTempFolder there(other);
  ASSERT_TRUE(MakeFoldersForTesting(there / L"a/b"));
  EXPECT_EQ(GetSourceDrive(there / L"a/b"), other);
  // Home on another file system does not count even when the path is under it.
  CScopedEnvironment env2(L"HOME", here.Path());
  EXPECT_EQ(GetSourceDrive(there / L"a/b"), other);
}
