#include "winui/system_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/encoding.h"
#include "platform/sys/process.h"

namespace {

bool IsFolder(const CString& path) { return !path.empty() && std::filesystem::is_directory(NarrowToAnsi(path)); }

}  // namespace

TEST(SystemFolders, StandardFoldersAndNamesAreThere) {
  EXPECT_TRUE(IsFolder(GetMyPersonalPath())) << NarrowToAnsi(GetMyPersonalPath());
  EXPECT_TRUE(IsFolder(GetMyDocumentsPath())) << NarrowToAnsi(GetMyDocumentsPath());
  EXPECT_TRUE(IsFolder(GetMyPicturePath())) << NarrowToAnsi(GetMyPicturePath());
  EXPECT_FALSE(GetAppDataPath().empty());
  EXPECT_EQ(GetCurrentDirectoryW(), GetProcessCurrentDirectory(4096));

  const CString temp = GetTempPathW();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), PlatformPathSeparator());
  EXPECT_TRUE(IsFolder(temp));

  EXPECT_FALSE(GetUserNameW().empty());
  EXPECT_FALSE(GetComputerNameW().empty());
  for (const CString& value : {GetMyPersonalPath(), GetTempPathW(), GetUserNameW(), GetWindowsDirectoryW()})
    EXPECT_LT(value.size(), 260u);
}

TEST(SystemFolders, LogicalDrivesAreAppendedAndLettersStartTheirRoots) {
  CStringArray roots = {L"existing"};
  GetLogicalDriveStringsW(roots, false);
  ASSERT_GE(roots.size(), 2u);
  EXPECT_EQ(roots.front(), L"existing");

  CStringArray letters;
  GetLogicalDriveStringsW(letters, true);
  ASSERT_EQ(letters.size(), roots.size() - 1);
  for (size_t i = 0; i < letters.size(); ++i) {
    ASSERT_FALSE(letters[i].empty());
    EXPECT_EQ(roots[i + 1].compare(0, letters[i].size(), letters[i]), 0);
  }
}
