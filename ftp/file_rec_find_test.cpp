#include "ftp/file_rec_find.h"

#include <gtest/gtest.h>

#include "ftp/ftp_path.h"
#include "path/path_exists.h"
#include "testing/test_files.h"

TEST(FileRecFind, AnswersFromTheRecordAsItIsNow) {
  CFtpPath record(L"C:/pub/readme.txt");
  record.Length(0x100000005ULL);
  const CFileRecFind find(record);
  EXPECT_EQ(find.GetLength(), 0x100000005ULL);
  EXPECT_EQ(find.GetFileName() + L"|" + find.GetFileTitle(), L"readme.txt|readme");
  EXPECT_EQ(find.GetFilePath() + L"|" + find.GetFileURL(), L"C:/pub/readme.txt|C:/pub/readme.txt");

  // Each test asks for its own attribute bit and for no other.
  using Test = bool (CFileRecFind::*)() const;
  const struct { uint32_t bit; Test test; } tests[] = {
      {0x1, &CFileRecFind::IsReadOnly},  {0x2, &CFileRecFind::IsHidden},     {0x4, &CFileRecFind::IsSystem},
      {0x10, &CFileRecFind::IsDirectory}, {0x20, &CFileRecFind::IsArchived},  {0x80, &CFileRecFind::IsNormal},
      {0x100, &CFileRecFind::IsTemporary}, {0x800, &CFileRecFind::IsCompressed}};
  for (const auto& set : tests) {
    record.SetAttr(set.bit);
    for (const auto& asked : tests) EXPECT_EQ((find.*asked.test)(), &asked == &set) << set.bit << " " << asked.bit;
  }
  record.SetAttr(0x4);
  EXPECT_TRUE(find.MatchesMask(0x5) && !find.MatchesMask(0x3));

  // A copy reads the same record, whatever it has become.
  record.SplitPath(L"C:/pub/docs", ptFolder);
  const CFileRecFind copy(find);
  EXPECT_EQ(copy.GetFileName() + copy.GetFileTitle(), L"");
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
