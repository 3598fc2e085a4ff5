#include "app/engine/log_records.h"

#include <gtest/gtest.h>

#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

bool IsWindows() { return PlatformPathSeparator() == L'\\'; }

// The lines a reader gives for a log holding bytes, and how many it skipped.
std::vector<std::string> ReadBack(const std::string& bytes, int32_t& skipped) {
  CScopedTempFolder tmp;
  const CString path = tmp / L"Velmora.log";
  EXPECT_TRUE(WriteFileForTesting(path, bytes));
  CLogLineReader reader;
  EXPECT_TRUE(reader.Open(path));
  std::vector<std::string> lines;
  for (std::string_view line; reader.ReadLine(line);) lines.emplace_back(line);
  skipped = reader.GetSkippedLines();
  return lines;
}

}  // namespace

TEST(LogRecords, LinesNoRunWritesAreSkippedAndCounted) {
  const std::string huge(kMaxLogLineBytes + 70000, 'x');
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
    int32_t skipped;
  } cases[] = {
      {"a\r\nb\nc", {"a", "b", "c"}, 0},  // CR LF, LF, and a torn last line
      {"\r\n\r\n", {"", ""}, 0},
      {std::string("ok\r\nnu\0l\r\nok2\r\n", 15), {"ok", "ok2"}, 1},
      {"before\r\n" + huge + "\r\nafter\r\n", {"before", "after"}, 1},
      {"before\r\n" + huge, {"before"}, 1},
      {std::string(kMaxLogLineBytes, 'y') + "\n", {std::string(kMaxLogLineBytes, 'y')}, 0},
  };
  for (const auto& c : cases) {
    int32_t skipped = -1;
    EXPECT_EQ(ReadBack(c.bytes, skipped), c.lines);
    EXPECT_EQ(skipped, c.skipped);
  }
}

TEST(LogRecords, OnlyAnOkItemRecordIsAMove) {
  CString move;
  EXPECT_TRUE(ParseMoveRecord("...        : '12/05/2026 02:34:50'   OK  From /s/a.obj ==> /t/b/_s_a.obj     ", move));
  EXPECT_EQ(move, L"/s/a.obj ==> /t/b/_s_a.obj");
  EXPECT_FALSE(ParseMoveRecord("...        : '12/05/2026 02:34:50'   ERROR  From /s/a ==> /t/b/_s_a", move));
  EXPECT_FALSE(ParseMoveRecord("-Start     : '12/05/2026 02:34:50'   OK  From /s/a ==> /t/b/_s_a", move));
  EXPECT_FALSE(ParseMoveRecord("..", move));
}

TEST(LogRecords, ARecordMatchesOnlyAnItemOfItsSourceUnderTheRunsName) {
  CScopedProcessState state;
  state.PinUserName(L"nobody_here");
  const CString sep(1, PlatformPathSeparator());
  const CString root = IsWindows() ? L"C:" : CString(), src = root + sep + L"src";
  const auto p = [&](const CString& relative) {
    CString path = relative;
    ReplaceAll(path, L"/", sep);
    return root + path;
  };
  const struct {
    CString source, from, name;
    bool isFolder, matches;
  } cases[] = {
      {src, p(L"/src/a.obj"), L"_src_a.obj", false, true},
      {src + sep, p(L"/src/a.obj"), L"_src_a.obj", false, true},
      {src, p(L"/src/Debug"), L".src.Debug", true, true},
      {src, p(L"/src/Debug"), L"_src_Debug", true, false},      // a folder's name has dots
      {src, p(L"/src/sub/a.obj"), L"_src_a.obj", false, false},  // not the name the run gives
      {src, p(L"/other/a.obj"), L"_other_a.obj", false, false},  // outside the source
      {src, p(L"/src2/a.obj"), L"_src2_a.obj", false, false},    // beside it, not in it
      {src, p(L"/src/../x.obj"), L"_src_.._x.obj", false, false},
      {src, p(L"/src/./x.obj"), L"_src_._x.obj", false, false},
      {src, p(L"/src//x.obj"), L"_src_x.obj", false, false},
      {src, p(L"/src/x/"), L"_src_x", false, false},
      {src, p(L"/src"), L"_src", false, false},
      {src, p(L"/src/a/../../b.obj"), L"_src_a_.._.._b.obj", false, false},
      {CString(), p(L"/src/a.obj"), L"_src_a.obj", false, false},
      {src, src + sep + L"../x.obj", L"_src_.._x.obj", false, false},  // '/' is a separator on Windows too
  };
  for (const auto& c : cases) {
    CFlatNames names;
    EXPECT_EQ(RecordMatchesItem(c.source, c.from, c.name, c.isFolder, names), c.matches) << c.from.size() << c.name;
  }
}

// A scan takes a record by the batch folder one side lies directly in, found
// by identity, and only where both sides are full paths.
TEST(LogRecords, AScanTakesTheRecordsOfItsBatchesByFullPathsOnly) {
  CScopedTempFolder tmp;
  const CString sep(1, PlatformPathSeparator()), src = tmp / L"src";
  const CString batch = tmp / L"Trush/2026_12_05_02_34_50", twin = tmp / L"Other/2026_12_05_02_34_50";
  ASSERT_TRUE(MakeFoldersForTesting(batch) && MakeFoldersForTesting(twin));
  // The batch spelled from the current folder, as a record made by hand might.
  const CString cwd = GetProcessCurrentDirectory(4096) + sep;
  const CString relative = batch.compare(0, cwd.size(), cwd) == 0 ? batch.substr(cwd.size()) : CString();
  const struct {
    CString from, to, found;  // found: "+NAME" into the batch, "-NAME" out of it
  } cases[] = {
      {src + sep + L"a.obj", batch + sep + L"_src_a.obj", L"+_src_a.obj"},
      {batch + sep + L"_src_a.obj", src + sep + L"a.obj", L"-_src_a.obj"},
      {twin + sep + L"_x.obj", src + sep + L"x.obj", L""},  // the same name, another folder
      {relative + sep + L"_x.obj", src + sep + L"x.obj", L""},
      {src + sep + L"x.obj", batch + sep, L""},  // no name
  };
  CBatchRecordScan scan({batch});
  for (const auto& c : cases) {
    CString found;
    scan.Add("...        : '12/05/2026 02:34:50'   OK  From " + NarrowToAnsiWithPathBytes(c.from + L" ==> " + c.to),
             [&found](const CBatchRecord& r) { found = (r.bInto ? L"+" : L"-") + r.strName; });
    EXPECT_EQ(found, c.found) << c.from;
  }
  // A missing log has no records, and is no error.
  CString error;
  EXPECT_TRUE(scan.ReadLog(tmp / L"none.log", [](const CBatchRecord&) { ADD_FAILURE(); }, error));
  EXPECT_EQ(error, L"");
  if (relative.empty()) GTEST_SKIP() << "the temporary folder lies outside the current one";
}
