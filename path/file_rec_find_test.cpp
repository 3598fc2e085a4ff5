#include "path/file_rec_find.h"

#include <gtest/gtest.h>

#include "object/ftp_path.h"
#include "path/path_exists.h"
#include "platform/file_system.h"
#include "platform/testing/test_files.h"

TEST(FileRecFind, AnswersFromTheRecordItRefersTo) {
  CFtpPath record(L"C:/pub/readme.txt");
  record.Length(5);
  record.SetAttr(0x21);
  const CFileRecFind find(record);
  EXPECT_EQ(find.GetLength(), 5u);
  EXPECT_EQ(find.GetFileName(), L"readme.txt");
  EXPECT_EQ(find.GetFileTitle(), L"readme");
  EXPECT_EQ(find.GetFilePath(), L"C:/pub/readme.txt");
  EXPECT_EQ(find.GetFileURL(), L"C:/pub/readme.txt");
  EXPECT_TRUE(find.IsArchived());
  EXPECT_TRUE(find.IsReadOnly());
  EXPECT_FALSE(find.IsDirectory());
  EXPECT_FALSE(find.MatchesMask(0));

  // Read anew on every query, also through a copy.
  record.SplitPath(L"C:/pub/docs", ptFolder);
  record.SetAttr(0x10);
  record.Length(4294967296ULL);
  const CFileRecFind copy(find);
  EXPECT_EQ(copy.GetFileName(), L"");
  EXPECT_EQ(copy.GetFileTitle(), L"");
  EXPECT_TRUE(copy.IsDirectory());
  EXPECT_FALSE(copy.IsArchived());
  EXPECT_EQ(find.GetLength(), 4294967296ULL);
}

TEST(PathExists, TellsFilesFromFoldersWithTheTextAsGiven) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.txt", "x"));
  EXPECT_TRUE(IsExistsFile(tmp / L"a.txt"));
  EXPECT_FALSE(IsExistsDirectory(tmp / L"a.txt"));
  EXPECT_TRUE(IsExistsDirectory(tmp.Path()));
  EXPECT_FALSE(IsExistsFile(tmp.Path()));
  EXPECT_FALSE(IsExistsFile(tmp / L"missing.txt"));
  EXPECT_FALSE(IsExistsFile(L""));
  EXPECT_FALSE(IsExistsDirectory(L""));
  // No trimming: a name with a blank after it is another name.
  EXPECT_FALSE(IsExistsFile(tmp / L"a.txt "));
}
