#include "platform/fs/file.h"

#include <gtest/gtest.h>

#include "testing/test_files.h"

TEST(File, CreateNoTruncateAppendsIsExclusiveAndNeedsItsFolder) {
  CScopedTempFolder tmp;
  const CString path = tmp / L"append.txt";
  const unsigned flags = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite;
  ASSERT_EQ(flags, 0x3001u);
  {
    CFile file;
    ASSERT_TRUE(file.Open(path, flags));
    file.Write("one\r\n", 5);
    file.Flush();

    CFile second;  // held by the first one
    EXPECT_FALSE(second.Open(path, flags));
    EXPECT_NE(second.m_lOsError, 0);
    EXPECT_FALSE(second.IsOpen());
  }
  CFile again;
  ASSERT_TRUE(again.Open(path, flags));
  again.SeekToEnd();
  again.Write("two\r\n", 5);
  again.Close();
  EXPECT_FALSE(again.IsOpen());
  EXPECT_EQ(ContentForTesting(path), "one\r\ntwo\r\n");

  // In a missing folder nothing opens.
  CFile missing;
  EXPECT_FALSE(missing.Open(tmp / L"no-such-folder/x.log", flags));
  EXPECT_FALSE(missing.IsOpen());
}
