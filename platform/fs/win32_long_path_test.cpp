#include "platform/fs/win32_long_path.h"

#include <gtest/gtest.h>

TEST(LongPath, FullPathsGetTheLongFormWithEveryNameKept) {
  EXPECT_EQ(LongPathOf(L"C:\\src\\Debug.\\con.obj"), L"\\\\?\\C:\\src\\Debug.\\con.obj");
  EXPECT_EQ(LongPathOf(L"c:/src//blank \\"), L"\\\\?\\c:\\src\\blank ");
  EXPECT_EQ(LongPathOf(L"C:\\a\\.\\b\\..\\..\\..\\x"), L"\\\\?\\C:\\x");
  EXPECT_EQ(LongPathOf(L"C:\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(LongPathOf(L"C:\\src\\.."), L"\\\\?\\C:\\");
  EXPECT_EQ(LongPathOf(L"\\\\server\\share\\src\\..\\..\\a"), L"\\\\?\\UNC\\server\\share\\a");
  EXPECT_EQ(LongPathOf(L"\\\\server\\share"), L"\\\\?\\UNC\\server\\share");
  // Already long, a device, or not a full path: as it is.
  for (const wchar_t* kept : {L"\\\\?\\C:\\src.", L"\\\\.\\COM1", L"\\\\server", L"src\\a", L"C:src", L"\\src", L"NUL"})
    EXPECT_EQ(LongPathOf(kept), kept);
}
