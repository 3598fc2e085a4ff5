#include "app/cleanup_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "app/dry_run.h"
#include "app/trash_folder.h"
#include "log/log_file.h"
#include "platform/clock.h"
#include "platform/encoding.h"
#include "platform/file_find.h"
#include "platform/file_system.h"
#include "platform/format.h"
#include "platform/process.h"
#include "platform/test_support.h"
#include "winui/message_pump.h"
#include "winui/system_folders.h"

namespace {

// A front end that records every call of the run, in order.
class CRecordingView : public CCleanupView {
 public:
  void OnBegin() override { m_events.push_back(L"begin"); }
  void OnEnd() override { m_events.push_back(L"end"); }
  void OnStatus(const CString& line) override {
    m_events.push_back(L"status:" + line);
    m_lines.push_back(line);
    if (m_onStatus) m_onStatus(line);
  }
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    m_events.push_back(L"prepare");
    if (m_onPrepare) m_onPrepare();
    source = m_strSource;
    list = m_strList;
    return m_bConfirm;
  }
  void AddLine(const CString& line) override { m_events.push_back(L"pane:" + line); }
  void ErrorBox(const CString& text) override { m_events.push_back(L"box:" + text); }
  void SetStatusText(const CString& text) override { m_events.push_back(L"statusline:" + text); }
  void SetProgressRange(int32_t count) override { m_events.push_back(Format(L"range:%d", count)); }
  void Refresh() override { m_events.push_back(L"refresh"); }

  CString m_strSource, m_strList;
  bool m_bConfirm = true;
  std::function<void()> m_onPrepare;
  std::function<void(const CString&)> m_onStatus;
  CStringArray m_events, m_lines;
};

using CRecords = std::vector<std::pair<CString, CString>>;  // tag, text

void Stop() {
  PostCommand([] { g_bCancel = true; });
}

class CleanupRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    while (!PumpMessage()) {
    }
    g_bCancel = false;
    PinUserNameForTesting(L"nobody_here");
    CLocalTime t;
    t.nYear = 2026, t.nMonth = 12, t.nDay = 5, t.nHour = 2, t.nMinute = 34, t.nSecond = 50;
    PinClockForTesting(t);
    g_strTrash = m_tmp / L"Trush";
    CreateFolder(g_strTrash);
    m_strBatch = g_strTrash + PlatformPathSeparator() + L"2026_12_05_02_34_50";
    // Records queued by earlier tests of this process go before our mark.
    m_strLog = m_tmp / L"Velmora.log";
    ASSERT_TRUE(CLogFile().Open(m_strLog));
    CLogFile().Flush(CString());
    CLogFile().Close();
    std::string bytes;
    ReadFileForTesting(m_strLog, bytes);
    m_nLogStart = bytes.size();
    ASSERT_TRUE(CLogFile().Open(m_strLog));
    m_view.m_strSource = m_tmp / L"src";
    ASSERT_TRUE(MakeFoldersForTesting(m_view.m_strSource));
  }
  void TearDown() override {
    CLogFile().Close();
    g_strTrash = m_oldTrash;
    g_strBatch = m_oldBatch;
    g_bCancel = false;
    UnpinUserNameForTesting();
    UnpinClockForTesting();
    while (!PumpMessage()) {
    }
  }

  CCleanupOutcome Run(CleanupKind kind, const CString& list) {
    m_view.m_strList = list;
    return RunCleanup(kind, m_view);
  }

  // The records the runs wrote, read back from the file (closes the log).
  CRecords Records() {
    CLogFile().Close();
    std::string bytes;
    EXPECT_TRUE(ReadFileForTesting(m_strLog, bytes));
    CRecords records;
    const CString text = WidenFromAnsi(bytes.substr(m_nLogStart));
    for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != CString::npos; start = end + 2) {
      const CString line = text.substr(start, end - start);
      const size_t colon = line.find(L" : ");
      if (colon == CString::npos) continue;
      CString rest = line.substr(colon + 3);
      if (!rest.empty() && rest[0] == L'\'') rest = rest.substr(rest.find(L'\'', 1) + 1);
      rest = rest.substr(2);
      while (!rest.empty() && rest.back() == L' ') rest.pop_back();
      records.emplace_back(Trimmed(line.substr(0, colon)), rest);
    }
    return records;
  }

  // The names in the batch folder.
  CStringArray BatchNames() const {
    CStringArray names;
    CFileFind find;
    if (!find.FindFile(m_strBatch + PlatformPathSeparator() + L"*.*")) return names;
    for (bool more = true; more;) {
      more = find.FindNextFile();
      if (!find.IsDots()) names.push_back(find.GetFileName());
    }
    return names;
  }

  CString Src(const CString& relative) const { return m_tmp / (L"src/" + relative); }
  CString Content(const CString& path) const {
    std::string bytes;
    return ReadFileForTesting(path, bytes) ? WidenFromAnsi(bytes) : L"<missing>";
  }

  CScopedTempFolder m_tmp;
  CScopedEnvironment m_home{L"HOME", m_tmp.Path()};  // makes the temporary folder the POSIX drive
  CString m_oldTrash = g_strTrash, m_oldBatch = g_strBatch;
  CString m_strBatch, m_strLog;
  size_t m_nLogStart = 0;
  CRecordingView m_view;
};

bool EndsWith(const CString& s, const CString& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(CleanupRun, FilesRunFollowsTheProtocolAndLogsEveryMove) {
  for (const wchar_t* name : {L"a.obj", L"sub/b.OBJ", L"sub/c.txt", L"noext", L"trailing.", L"d.pdb"})
    ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj  pdb");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(outcome.nCounted, 3);
  EXPECT_EQ(outcome.nMoved, 3);
  EXPECT_EQ(outcome.nErrors, 0);

  const CStringArray& ev = m_view.m_events;
  ASSERT_EQ(ev.size(), 12u);
  EXPECT_EQ(ev[0], L"begin");
  EXPECT_EQ(ev[1], L"prepare");
  EXPECT_EQ(ev[2], L"pane:== Move Files with extension 'obj  pdb' from '" + m_view.m_strSource + L"' To '" +
                       g_strTrash + L"'");
  EXPECT_EQ(ev[3], L"range:3");
  for (size_t i = 4; i < 7; ++i) EXPECT_EQ(ev[i].substr(0, 17), L"status: OK  From ");
  EXPECT_EQ(ev[7], L"statusline:== Done: 3 of 3 ");
  EXPECT_EQ(ev[8], L"pane:== Done: 3 of 3 ");
  EXPECT_EQ(ev[9], L"pane:== Finished");
  EXPECT_EQ(ev[10], L"end");
  EXPECT_EQ(ev[11], L"refresh");

  // Each line names the item and where it went: right inside the batch folder.
  for (const CString& line : m_view.m_lines) {
    const size_t arrow = line.find(L" ==> ");
    const CString destination = line.substr(arrow + 5);
    EXPECT_FALSE(ExistsForTesting(line.substr(17, arrow - 17)));
    EXPECT_EQ(destination.substr(0, m_strBatch.size() + 1), m_strBatch + PlatformPathSeparator());
    EXPECT_EQ(Content(destination), L"x");
  }
  const CStringArray names = BatchNames();
  ASSERT_EQ(names.size(), 3u);
  if (PlatformPathSeparator() == L'/') {
    // The volume root ($HOME here) is no part of the name.
    EXPECT_EQ((std::set<CString>(names.begin(), names.end())),
              (std::set<CString>{L"_src_a.obj", L"_src_sub_b.OBJ", L"_src_d.pdb"}));
  }
  for (const wchar_t* kept : {L"sub/c.txt", L"noext", L"trailing."}) EXPECT_TRUE(ExistsForTesting(Src(kept)));

  const CRecords records = Records();
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[0], std::make_pair(CString(L"-Start"), CString(L"Move Files")));
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(records[i + 1], std::make_pair(CString(L"..."), m_view.m_lines[i]));
  EXPECT_EQ(records[4], std::make_pair(CString(L"-End"), CString(L"Move Files")));
}

TEST_F(CleanupRun, CountPassCountsWhatTheWorkPassTakesOnce) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"one.obj"), "1"));
  EXPECT_EQ(m_view.m_events.size(), 0u);
  CCleanupOutcome twice = Run(CleanupKind::kFiles, L"obj OBJ");
  EXPECT_EQ(twice.nCounted, 2);
  EXPECT_EQ(twice.nMoved, 1);

  // A matching folder inside a matching folder travels with its parent.
  ASSERT_TRUE(WriteFileForTesting(Src(L"Debug/debug/x.o"), "x"));
  m_view.m_events.clear();
  CCleanupOutcome nested = Run(CleanupKind::kFolders, L"Debug");
  EXPECT_EQ(nested.nCounted, 2);
  EXPECT_EQ(nested.nMoved, 1);
  EXPECT_EQ(m_view.m_events[m_view.m_events.size() - 4], L"pane:== Done: 1 of 2 ");
  const CString moved = m_view.m_lines.back().substr(m_view.m_lines.back().find(L" ==> ") + 5);
  EXPECT_TRUE(EndsWith(moved, L".src.Debug"));
  EXPECT_EQ(Content(moved + PlatformPathSeparator() + L"debug" + PlatformPathSeparator() + L"x.o"), L"x");
}

TEST_F(CleanupRun, RefusedOrEmptyRuns) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj")));
  m_view.m_bConfirm = false;
  EXPECT_EQ(Run(CleanupKind::kFiles, L"obj").nEnd, CCleanupOutcome::kNotStarted);
  EXPECT_EQ(m_view.m_events, (CStringArray{L"begin", L"prepare", L"end"}));
  EXPECT_FALSE(ExistsForTesting(m_strBatch));

  m_view.m_bConfirm = true;
  m_view.m_events.clear();
  const CCleanupOutcome files = Run(CleanupKind::kFiles, L"pdb");
  EXPECT_EQ(files.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(files.nCounted, 0);
  EXPECT_TRUE(ExistsForTesting(m_strBatch));
  const CStringArray tail(m_view.m_events.begin() + 3, m_view.m_events.end());
  EXPECT_EQ(tail, (CStringArray{L"statusline:No files found", L"pane:No files found", L"pane:== Finished", L"end",
                                L"refresh"}));
  m_view.m_events.clear();
  Run(CleanupKind::kFolders, L"Debug");
  EXPECT_EQ(m_view.m_events[4], L"pane:No dirs found");

  const CRecords records = Records();
  EXPECT_EQ(records, (CRecords{{L"-Start", L"Move Files"}, {L"-End", L"Move Files"}, {L"-Start", L"Move Dirs"},
                               {L"-End", L"Move Dirs"}}));
}

TEST_F(CleanupRun, BatchFolderFailureLeavesOnlyAnEndRecord) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj")));
  g_strTrash = m_tmp / L"missing";
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  const CString text = L"Cannot create folder " + GetBatchFolder();
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kFailed);
  EXPECT_EQ(outcome.strError, text);
  const CStringArray tail(m_view.m_events.begin() + 3, m_view.m_events.end());
  EXPECT_EQ(tail, (CStringArray{L"end", L"pane:" + text, L"box:" + text, L"refresh"}));
  EXPECT_TRUE(ExistsForTesting(Src(L"a.obj")));
  EXPECT_EQ(Records(), (CRecords{{L"-End", L"Move Files"}}));
}

TEST_F(CleanupRun, StopDuringTheWorkPassEndsItAtTheNextEntry) {
  for (const wchar_t* name : {L"a.obj", L"b.obj", L"c.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name)));
  m_view.m_onStatus = [](const CString&) { Stop(); };
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCancelled);
  EXPECT_EQ(outcome.nMoved, 1);
  EXPECT_EQ(BatchNames().size(), 1u);
  const CStringArray& ev = m_view.m_events;
  const CStringArray tail(ev.end() - 4, ev.end());
  EXPECT_EQ(tail, (CStringArray{L"end", L"pane:ERROR: Canceled by user request ",
                                L"box:ERROR: Canceled by user request ", L"refresh"}));
  const CRecords records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2], std::make_pair(CString(L"-End"), CString(L"Move Files")));
}

TEST_F(CleanupRun, StopDuringTheCountPassIsSeenAfterTheFirstMove) {
  for (const wchar_t* name : {L"a.obj", L"b.obj", L"c.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name)));
  // Nothing pumps before the first move: the Stop waits in the queue.
  m_view.m_onPrepare = [] { Stop(); };
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCancelled);
  EXPECT_EQ(outcome.nCounted, 3);
  EXPECT_EQ(outcome.nMoved, 1);
}

TEST_F(CleanupRun, StopDuringTheLastMoveIsLeftForTheNextRunToClear) {
  // The match must be the walk's very last entry, after "." and "..": find a
  // name that this file system lists last.
  bool last = false;
  for (int i = 0; i < 64 && !last; ++i) {
    const CString path = Src(Format(L"only%d.obj", i));
    ASSERT_TRUE(WriteFileForTesting(path));
    CFileFind order;
    ASSERT_TRUE(order.FindFile(m_view.m_strSource + PlatformPathSeparator() + L"*.*"));
    while (order.FindNextFile()) {
    }
    last = order.GetFilePath() == path;
    order.Close();
    if (!last) RemoveTreeForTesting(path);
  }
  if (!last) GTEST_SKIP() << "no name is listed last here";

  m_view.m_onStatus = [](const CString&) { Stop(); };
  EXPECT_EQ(Run(CleanupKind::kFiles, L"obj").nEnd, CCleanupOutcome::kCompleted);
  EXPECT_TRUE(g_bCancel);
  m_view.m_onStatus = nullptr;
  ASSERT_TRUE(WriteFileForTesting(Src(L"next.obj")));
  const CCleanupOutcome next = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(next.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(next.nMoved, 1);
}

TEST_F(CleanupRun, NameCollisionIsAnErrorLineAndBothItemsSurvive) {
  // Both flatten to the same name.
  ASSERT_TRUE(WriteFileForTesting(Src(L"x/a.obj"), "nested"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"x_a.obj"), "flat"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"z.obj"), "z"));
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(outcome.nCounted, 3);
  EXPECT_EQ(outcome.nMoved, 2);
  EXPECT_EQ(outcome.nErrors, 1);
  int errors = 0;
  for (const CString& line : m_view.m_lines) {
    if (line.compare(0, 13, L" ERROR  From ") != 0) continue;
    ++errors;
    // The one that stayed is whole, and so is the one that moved first.
    const CString source = line.substr(13, line.find(L" ==> ") - 13);
    const CString destination = line.substr(line.find(L" ==> ") + 5);
    EXPECT_NE(Content(source), L"<missing>");
    EXPECT_NE(Content(destination), L"<missing>");
    EXPECT_NE(Content(source), Content(destination));
  }
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(Records().size(), 5u);
}

TEST_F(CleanupRun, ReadOnlyFolderIsAnErrorLineAndTheRunGoesOn) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"ro/a.obj"), "a"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"b.obj"), "b"));
  if (!DenyWritesForTesting(Src(L"ro"))) GTEST_SKIP() << "cannot make a read-only folder here";
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  AllowWritesForTesting(Src(L"ro"));
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(outcome.nMoved, 1);
  EXPECT_EQ(outcome.nErrors, 1);
  EXPECT_EQ(Content(Src(L"ro/a.obj")), L"a");
  EXPECT_FALSE(ExistsForTesting(Src(L"b.obj")));
}

TEST_F(CleanupRun, MoveToAnotherVolumeIsAnErrorLine) {
  const CString other = OtherVolumeForTesting();
  if (other.empty()) GTEST_SKIP() << "no second file system";
  CScopedTempFolder there(other);
  ASSERT_TRUE(WriteFileForTesting(there / L"src/a.obj", "a"));
  m_view.m_strSource = there / L"src";  // the trash stays on this volume
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(outcome.nMoved, 0);
  EXPECT_EQ(outcome.nErrors, 1);
  EXPECT_EQ(m_view.m_lines[0].substr(0, 13), L" ERROR  From ");
  EXPECT_EQ(Content(there / L"src/a.obj"), L"a");
  EXPECT_TRUE(BatchNames().empty());
}

TEST_F(CleanupRun, SourceHoldingItsOwnTrashLeavesTheTrashAlone) {
  ASSERT_TRUE(WriteFileForTesting(g_strTrash + PlatformPathSeparator() + L"2025_01_01_00_00_00/_old.obj", "old"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj")));
  m_view.m_strSource = m_tmp.Path();
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nCounted, 1);
  EXPECT_EQ(outcome.nMoved, 1);
  EXPECT_EQ(Content(g_strTrash + PlatformPathSeparator() + L"2025_01_01_00_00_00/_old.obj"), L"old");
  // A folders run over the trash folder's own name does not touch it either.
  EXPECT_EQ(Run(CleanupKind::kFolders, L"Trush 2026_12_05_02_34_50").nCounted, 0);
}

TEST_F(CleanupRun, LinksAreMovedAsThemselvesAndNeverFollowed) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/target.obj", "t"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"sub/real.txt"), "r"));
  if (!MakeLinkForTesting(m_tmp / L"outside/target.obj", Src(L"link.obj"), false)) GTEST_SKIP() << "no links here";
  ASSERT_TRUE(MakeLinkForTesting(m_view.m_strSource, Src(L"sub/loop"), true));
  ASSERT_TRUE(MakeLinkForTesting(m_tmp / L"outside", Src(L"out"), true));

  const CCleanupOutcome files = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(files.nCounted, 1);
  EXPECT_EQ(files.nMoved, 1);
  EXPECT_EQ(Content(m_tmp / L"outside/target.obj"), L"t");
  const CString moved = m_view.m_lines[0].substr(m_view.m_lines[0].find(L" ==> ") + 5);
  uint32_t attributes = 0;
  ASSERT_TRUE(PlatformGetFileAttributes(moved, attributes));
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

  const CCleanupOutcome folders = Run(CleanupKind::kFolders, L"loop");
  EXPECT_EQ(folders.nCounted, 1);
  EXPECT_EQ(folders.nMoved, 1);
  EXPECT_EQ(Content(Src(L"sub/real.txt")), L"r");
}

TEST_F(CleanupRun, DryRunListsWhatWouldMoveAndChangesNothing) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj"), "12345"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"Debug/x.obj"), "123"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"Debug/Debug/y.txt"), "1234567"));
  std::vector<CDryRunItem> items;
  const auto collect = [&](const CDryRunItem& item) { items.push_back(item); };

  const CDryRunOutcome files = DryRunCleanup(CleanupKind::kFiles, m_view.m_strSource, L"obj obj", collect);
  EXPECT_EQ(files.nItems, 2);
  EXPECT_EQ(files.nTotalSize, 8u);
  items.clear();
  const CDryRunOutcome folders = DryRunCleanup(CleanupKind::kFolders, m_view.m_strSource, L"debug", collect);
  ASSERT_EQ(folders.nItems, 1);
  EXPECT_EQ(items[0].strPath, Src(L"Debug"));
  EXPECT_TRUE(items[0].bFolder);
  EXPECT_EQ(items[0].nSize, 10u);
  EXPECT_FALSE(folders.bCancelled);

  EXPECT_EQ(Content(Src(L"a.obj")), L"12345");
  EXPECT_FALSE(ExistsForTesting(m_strBatch));
  EXPECT_TRUE(Records().empty());
}
