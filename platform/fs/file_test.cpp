#include "platform/fs/file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/encoding.h"
#include "platform/sys/process.h"

namespace {

CString TestFilePath(const char* name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return GetProcessCurrentDirectory(4096) + PlatformPathSeparator() + WidenFromAnsi(info->name()) + L"_" +
         WidenFromAnsi(name);
}

std::string ReadAll(const CString& path) {
  std::ifstream in(NarrowToAnsi(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(File, CreateNoTruncateAppendsAndIsExclusive) {
  const CString path = TestFilePath("append.txt");
  std::remove(NarrowToAnsi(path).c_str());
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
  EXPECT_EQ(ReadAll(path), "one\r\ntwo\r\n");
  std::remove(NarrowToAnsi(path).c_str());
}

TEST(File, OpenFailsInAMissingFolder) {
  CFile file;
  const CString path = TestFilePath("no-such-folder") + PlatformPathSeparator() + L"x.log";
  EXPECT_FALSE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  EXPECT_FALSE(file.IsOpen());
}
