#include "platform/sys/known_folders.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DriveList, RootsOrLettersAreAppendedAfterExistingEntries) {
  const wchar_t list[] = L"C:\\\0D:\\\0";  // and the final terminator
  CStringArray drives = {L"keep"};
  AppendDriveRoots(list, sizeof list / sizeof list[0], false, drives);
  EXPECT_EQ(drives, (CStringArray{L"keep", L"C:\\", L"D:\\"}));

  drives.clear();
  AppendDriveRoots(list, sizeof list / sizeof list[0], true, drives);
  EXPECT_EQ(drives, (CStringArray{L"C", L"D"}));
}

TEST(DriveList, AnUnfilledOrFullBufferIsNeverReadPastItsEnd) {
  // A list that did not fit leaves the buffer zero-filled: nothing is added.
  std::vector<wchar_t> empty(100, L'\0');
  CStringArray drives;
  AppendDriveRoots(empty.data(), empty.size(), false, drives);
  EXPECT_TRUE(drives.empty());

  // 25 roots fill all 100 characters with no final terminator; the walk
  // stops at the end of the buffer (ASan checks the bound).
  std::vector<wchar_t> full;
  for (wchar_t letter = L'A'; letter < L'A' + 25; ++letter) full.insert(full.end(), {letter, L':', L'\\', L'\0'});
  AppendDriveRoots(full.data(), full.size(), true, drives);
  ASSERT_EQ(drives.size(), 25u);
  EXPECT_EQ(drives.back(), L"Y");
}

TEST(DriveList, SystemDriveIsTheTextBeforeTheFirstColon) {
  EXPECT_EQ(DriveOfSystemFolder(L"C:\\WINDOWS\\system32"), L"C");
  EXPECT_EQ(DriveOfSystemFolder(L"\\\\server\\share:x\\sys"), L"\\\\server\\share");
  EXPECT_EQ(DriveOfSystemFolder(L":\\odd"), L":\\odd");
  EXPECT_EQ(DriveOfSystemFolder(L"\\no\\colon"), L"");
  EXPECT_EQ(DriveOfSystemFolder(L""), L"");
}
