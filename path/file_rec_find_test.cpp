#include "path/file_rec_find.h"

#include <gtest/gtest.h>

#include "object/ftp_path.h"
#include "path/path_exists.h"
#include "platform/testing/test_files.h"

TEST(FileRecFind, AnswersFromTheRecordAsItIsNow) {
  CFtpPath record(L"C:/pub/readme.txt");
  record.Length(5);
  record.SetAttr(0x21);
  const CFileRecFind find(record);
  EXPECT_EQ(find.GetLength(), 5u);
  EXPECT_EQ(find.GetFileName(), L"readme.txt");
  EXPECT_EQ(find.GetFileTitle(), L"readme");
  EXPECT_EQ(find.GetFilePath(), L"C:/pub/readme.txt");
  EXPECT_EQ(find.GetFileURL(), L"C:/pub/readme.txt");
  EXPECT_TRUE(find.IsArchived() && find.IsReadOnly());
  EXPECT_FALSE(find.IsDirectory());

  record.SplitPath(L"C:/pub/docs", ptFolder);
  record.SetAttr(0x10);
  const CFileRecFind copy(find);
  EXPECT_EQ(copy.GetFileName() + copy.GetFileTitle(), L"");
  EXPECT_TRUE(copy.IsDirectory());
  EXPECT_FALSE(copy.IsArchived());
}

TEST(PathExists, TellsFilesFromFoldersWithTheTextAsGiven) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "x"));
  EXPECT_TRUE(IsExistsFile(tmp / L"a.txt"));
  EXPECT_FALSE(IsExistsDirectory(tmp / L"a.txt"));
  EXPECT_TRUE(IsExistsDirectory(tmp.Path()));
  EXPECT_FALSE(IsExistsFile(tmp.Path()));
  EXPECT_FALSE(IsExistsFile(L"") || IsExistsDirectory(L""));
  EXPECT_FALSE(IsExistsFile(tmp / L"a.txt "));  // not trimmed
}
