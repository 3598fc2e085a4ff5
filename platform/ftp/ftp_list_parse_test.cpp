#include "platform/ftp/ftp_list_parse.h"

#include <gtest/gtest.h>

namespace {

// Independent values, 100-ns since 1601 UTC.
constexpr uint64_t k20240305_060708 = 133540924280000000ULL;
constexpr uint64_t k20240305 = 133540704000000000ULL;
constexpr uint64_t k20261207_0336 = 134410881600000000ULL;
constexpr uint64_t k20251225_1000 = 134111304000000000ULL;
constexpr uint64_t kMinute = 600000000ULL;

}  // namespace

TEST(FtpListParse, MlsdFactsTypesAndNames) {
  CFtpListEntry e;
  ASSERT_TRUE(
      ParseMlsdLine("type=file;size=5368709121;modify=20240305060708.123;create=20240305000000; big file.bin", e));
  EXPECT_EQ(e.strName, L"big file.bin");
  EXPECT_EQ(e.nSize, 5368709121ULL);
  EXPECT_EQ(e.nLastWriteTime, k20240305_060708 + 1230000);
  EXPECT_EQ(e.nCreationTime, k20240305);
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_NORMAL));

  // Fact names and types in any case; a UTF-8 name.
  ASSERT_TRUE(ParseMlsdLine(u8"Type=DIR;Modify=20240305060708;Size=4096; \u00d6rdner \u65e5\u672c", e));
  EXPECT_EQ(e.strName, L"\u00d6rdner \u65e5\u672c");
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(e.nLastWriteTime, k20240305_060708);

  ASSERT_TRUE(ParseMlsdLine("type=OS.unix=slink:/etc;size=4; link", e));
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_REPARSE_POINT));

  // The name is all after the first blank, ';' and '=' included; a byte that
  // is no UTF-8 stands for itself.
  ASSERT_TRUE(ParseMlsdLine("size=1; a;b=c d ", e));
  EXPECT_EQ(e.strName, L"a;b=c d ");
  ASSERT_TRUE(ParseMlsdLine("type=file; caf\xe9", e));
  EXPECT_EQ(e.strName, L"caf\u00e9");

  // Bad facts are ignored, the entry kept.
  ASSERT_TRUE(ParseMlsdLine("size=12x;modify=2024030506;create=20241332000000;size=99999999999999999999; odd", e));
  EXPECT_EQ(e.nSize, 0u);
  EXPECT_EQ(e.nLastWriteTime, 0u);
  EXPECT_EQ(e.nCreationTime, 0u);

  for (const char* line : {"type=cdir; /pub", "type=pdir; ..", "type=dir; .", "type=file;size=1;", "type=file; ", ""})
    EXPECT_FALSE(ParseMlsdLine(line, e)) << line;
}

TEST(FtpListParse, UnixListLines) {
  const uint64_t now = k20261207_0336 - 30 * kMinute;
  CFtpListEntry e;
  // A time within a day ahead is this year's; the group may be absent.
  ASSERT_TRUE(ParseUnixListLine("-rw-r--r--   1 root     5368709121 Dec 07 03:36 big file.bin", now, e));
  EXPECT_EQ(e.strName, L"big file.bin");
  EXPECT_EQ(e.nSize, 5368709121ULL);
  EXPECT_EQ(e.nLastWriteTime, k20261207_0336);
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_NORMAL));

  // Further ahead it is last year's.
  ASSERT_TRUE(ParseUnixListLine("-rw-r--r-- 1 owner group 12 Dec 25 10:00 xmas", now, e));
  EXPECT_EQ(e.nLastWriteTime, k20251225_1000);

  ASSERT_TRUE(ParseUnixListLine(u8"drwxr-xr-x 2 owner group 4096 Mar  5  2024 \u00d6rdner", now, e));
  EXPECT_EQ(e.strName, L"\u00d6rdner");
  EXPECT_EQ(e.nLastWriteTime, k20240305);
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY));

  ASSERT_TRUE(ParseUnixListLine("lrwxrwxrwx 1 o g 7 Jan  1 00:00 link -> a b.txt", now, e));
  EXPECT_EQ(e.strName, L"link");
  EXPECT_EQ(e.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_REPARSE_POINT));

  // One blank ends the date; the rest, blanks included, is the name. A day
  // that does not exist leaves the time out.
  ASSERT_TRUE(ParseUnixListLine("-rw-r--r-- 1 o g 5 Feb 29  2023   spaced ", now, e));
  EXPECT_EQ(e.strName, L"  spaced ");
  EXPECT_EQ(e.nLastWriteTime, 0u);

  for (const char* line :
       {"total 12", "drwxr-xr-x 2 o g 4096 Jan 01  2020 .", "drwxr-xr-x 2 o g 4096 Jan 01  2020 ..", "",
        "-rw-r--r-- 1 o g 5 Jan 01  2020", "some words with Jan 1 2020 in them",
        "-rw-r--r-- 1 o g 99999999999999999999 Jan 01  2020 huge", "-rw-r--r-- 1 o g x Foo 01 2020 y"})
    EXPECT_FALSE(ParseUnixListLine(line, now, e)) << line;
}

TEST(FtpListParse, ReaderJoinsPiecesAndSkipsOverlongLines) {
  std::string bytes = "type=file;size=1; a\r\ntype=dir; b\n";
  bytes += "type=file; " + std::string(CFtpListReader::kMaxLine, 'x') + "\n";
  bytes += "garbage\ntype=file; last";
  for (const size_t piece : {size_t{1}, size_t{7}, bytes.size()}) {
    std::vector<CFtpListEntry> entries;
    CFtpListReader reader(true, 0, entries);
    for (size_t at = 0; at < bytes.size(); at += piece)
      reader.Feed(bytes.data() + at, std::min(piece, bytes.size() - at));
    reader.Finish();
    ASSERT_EQ(entries.size(), 3u) << piece;
    EXPECT_EQ(entries[0].strName, L"a");
    EXPECT_EQ(entries[1].strName, L"b");
    EXPECT_EQ(entries[2].strName, L"last");
  }
}
