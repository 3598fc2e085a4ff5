#include "app/engine/cleanup_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "app/engine/flat_name.h"
#include "app/engine/trash_folder.h"
#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/fs/file_find.h"
#include "platform/fs/file_hooks.h"
#include "platform/fs/file_system.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/clock.h"
#include "platform/sys/process.h"
#include "testing/faulty_disk.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "text/format.h"
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

// Reaches the log's file to make its next write fail.
struct CLogAccess : CLogFile {
  static void Break() { BreakFileForTesting(m_file); }
  static void FailNextWrite() { FailNextWriteForTesting(m_file, 7); }
};

// The error a full disk gives a write.
long DiskFullError() { return PlatformPathSeparator() == L'\\' ? 112 : 28; }

void Stop() {
  PostCommand([] { g_bCancel = true; });
}

class CleanupRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    m_state.PinUserName(L"nobody_here");
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, 34, 50});
    g_strTrash = m_tmp / L"Trush";
    CreateFolder(g_strTrash);
    m_strBatch = g_strTrash + PlatformPathSeparator() + L"2026_12_05_02_34_50";
    m_strLog = m_tmp / L"Velmora.log";
    ASSERT_TRUE(CLogFile().Open(m_strLog));
    m_view.m_strSource = m_tmp / L"src";
    ASSERT_TRUE(MakeFoldersForTesting(m_view.m_strSource));
  }

  CCleanupOutcome Run(CleanupKind kind, const CString& list, CDiskInterface* disk = nullptr) {
    m_view.m_strList = list;
    return RunCleanup(kind, m_view, disk != nullptr ? *disk : m_disk);
  }

  // The records the runs wrote, read back from the file (closes the log).
  CRecords Records() {
    CLogFile().Close();
    std::string bytes;
    EXPECT_TRUE(ReadFileForTesting(m_strLog, bytes));
    CRecords records;
    const CString text = WidenFromAnsi(bytes);
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

  // Where the item of a move line is: at the destination (" OK ") or still
  // at the source (" ERROR ").
  static CString WhereItIs(const CString& line) {
    const size_t from = line.find(L" From ") + 6, arrow = line.find(L" ==> ");
    return line.compare(0, 4, L" OK ") == 0 ? line.substr(arrow + 5) : line.substr(from, arrow - from);
  }
  // The content of every item a line reports, where the line says it is.
  CStringArray Survivors() const {
    CStringArray contents;
    for (const CString& line : m_view.m_lines) contents.push_back(Content(WhereItIs(line)));
    std::sort(contents.begin(), contents.end());
    return contents;
  }

  CString Src(const CString& relative) const { return m_tmp / (L"src/" + relative); }
  CString Content(const CString& path) const {
    std::string bytes;
    return ReadFileForTesting(path, bytes) ? WidenFromAnsi(bytes) : L"<missing>";
  }

  CScopedTempFolder m_tmp;
  CScopedEnvironment m_home{L"HOME", m_tmp.Path()};  // makes the temporary folder the POSIX drive
  CScopedProcessState m_state;  // goes first: closes the log inside m_tmp
  CFaultyDisk m_disk;
  CString m_strBatch, m_strLog;
  CRecordingView m_view;
};

bool EndsWith(const CString& s, const CString& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A run's counts: counted, moved, errors.
std::vector<int32_t> Counts(const CCleanupOutcome& o) { return {o.nCounted, o.nMoved, o.nErrors}; }

}  // namespace

TEST_F(CleanupRun, FilesRunFollowsTheProtocolAndLogsEveryMove) {
  for (const wchar_t* name : {L"a.obj", L"sub/b.OBJ", L"sub/c.txt", L"noext", L"trailing.", L"d.pdb"})
    ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj  pdb");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{3, 3, 0}));

  CStringArray expected{L"begin", L"prepare",
                        L"pane:== Move Files with extension 'obj  pdb' from '" + m_view.m_strSource + L"' To '" +
                            g_strTrash + L"'",
                        L"range:3"};
  for (const CString& line : m_view.m_lines) expected.push_back(L"status:" + line);
  expected.insert(expected.end(), {L"statusline:== Done: 3 of 3 ", L"pane:== Done: 3 of 3 ", L"pane:== Finished",
                                   L"end", L"refresh"});
  EXPECT_EQ(m_view.m_events, expected);

  // Each item went right inside the batch folder, whole, and left its place.
  EXPECT_EQ(Survivors(), (CStringArray{L"x", L"x", L"x"}));
  for (const wchar_t* moved : {L"a.obj", L"sub/b.OBJ", L"d.pdb"}) EXPECT_FALSE(ExistsForTesting(Src(moved)));
  const CStringArray names = BatchNames();
  ASSERT_EQ(names.size(), 3u);
  if (PlatformPathSeparator() == L'/') {
    // The volume root ($HOME here) is no part of the name.
    EXPECT_EQ((std::set<CString>(names.begin(), names.end())),
              (std::set<CString>{L"_src_a.obj", L"_src_sub_b.OBJ", L"_src_d.pdb"}));
  }
  for (const wchar_t* kept : {L"sub/c.txt", L"noext", L"trailing."}) EXPECT_TRUE(ExistsForTesting(Src(kept)));

  CRecords records{{L"-Start", L"Move Files"}};
  for (const CString& line : m_view.m_lines) records.emplace_back(L"...", line);
  records.emplace_back(L"-End", L"Move Files");
  EXPECT_EQ(Records(), records);
}

TEST_F(CleanupRun, CountPassCountsWhatTheWorkPassTakesOnce) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"one.obj"), "1"));
  CCleanupOutcome twice = Run(CleanupKind::kFiles, L"obj OBJ");
  EXPECT_EQ(Counts(twice), (std::vector<int32_t>{2, 1, 0}));

  // A matching folder inside a matching folder travels with its parent.
  ASSERT_TRUE(WriteFileForTesting(Src(L"Debug/debug/x.o"), "x"));
  m_view.m_events.clear();
  CCleanupOutcome nested = Run(CleanupKind::kFolders, L"Debug");
  EXPECT_EQ(Counts(nested), (std::vector<int32_t>{2, 1, 0}));
  EXPECT_EQ(m_view.m_events[m_view.m_events.size() - 4], L"pane:== Done: 1 of 2 ");
  const CString moved = WhereItIs(m_view.m_lines.back());
  EXPECT_TRUE(EndsWith(moved, L".src.Debug"));
  EXPECT_EQ(Content(moved + PlatformPathSeparator() + L"debug" + PlatformPathSeparator() + L"x.o"), L"x");
}

TEST_F(CleanupRun, NamesAreTakenExactlyAsTheyAre) {
  // Plain Windows paths lose a trailing dot or blank, and take device names
  // for the devices.
  for (const wchar_t* name : {L"only./a.obj", L"SUB./b.obj", L"sub/c.obj", L"blank /d.obj", L"con.obj", L"nul.obj",
                              L"com1.obj", L"Debug./x.txt", L"Debug/y.txt"})
    ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  ASSERT_TRUE(PlatformSetFileAttributes(Src(L"con.obj"), FILE_ATTRIBUTE_READONLY));
  const CCleanupOutcome files = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(Counts(files), (std::vector<int32_t>{7, 7, 0}));
  EXPECT_EQ(Survivors(), CStringArray(7, L"x"));
  // The attribute change reached the file, not the console.
  const auto con = std::find_if(m_view.m_lines.begin(), m_view.m_lines.end(),
                                [](const CString& line) { return EndsWith(line, L"_con.obj"); });
  ASSERT_NE(con, m_view.m_lines.end());
  uint32_t attributes = 0;
  ASSERT_TRUE(PlatformGetFileAttributes(WhereItIs(*con), attributes));
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);

  m_view.m_lines.clear();
  const CCleanupOutcome folders = Run(CleanupKind::kFolders, L"Debug.");
  EXPECT_EQ(folders.nMoved, 1);
  ASSERT_EQ(m_view.m_lines.size(), 1u);
  EXPECT_TRUE(EndsWith(m_view.m_lines[0], L".src.Debug."));
  EXPECT_FALSE(ExistsForTesting(Src(L"Debug./x.txt")));
  EXPECT_EQ(Content(Src(L"Debug/y.txt")), L"x");
}

TEST_F(CleanupRun, ARunTheLogWillNotHoldSaysSoFirst) {
  ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj")));
  // "Documents" is a file: the log cannot be opened in it.
  CLogFile().Close();
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"Documents"));
  const CString path = m_tmp / L"Documents/Velmora.log";
  ASSERT_FALSE(CLogFile().Open(path));
  EXPECT_EQ(Run(CleanupKind::kFiles, L"obj").nMoved, 1);
  const CString line = L"pane:== This run is not written to the log file '" + path + L"': ";
  ASSERT_GE(m_view.m_events.size(), 4u);
  EXPECT_EQ(m_view.m_events[2].substr(0, line.size()), line);
  EXPECT_GT(m_view.m_events[2].size(), line.size());  // and why
  EXPECT_EQ(m_view.m_events[3].substr(0, 19), L"pane:== Move Files ");
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
  m_disk.Fail(DiskCall::kOpenFolder, 2, 112);  // the batch folder, on a full disk
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  const CString text = L"Cannot create folder " + m_strBatch;
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kFailed);
  EXPECT_EQ(outcome.strError, text);
  const CStringArray tail(m_view.m_events.begin() + 3, m_view.m_events.end());
  EXPECT_EQ(tail, (CStringArray{L"end", L"pane:" + text, L"box:" + text, L"refresh"}));
  EXPECT_EQ(m_disk.Calls(DiskCall::kList), 0);  // no walk, no move
  EXPECT_TRUE(ExistsForTesting(Src(L"a.obj")));
  EXPECT_EQ(Records(), (CRecords{{L"-End", L"Move Files"}}));
}

TEST_F(CleanupRun, AMoveWhoseRecordCannotBeWrittenGoesBackAndStopsTheRun) {
  struct Case {
    bool bMoveBackFails;
    const wchar_t* where;  // what the error says of the second item
  };
  for (const Case& c : {Case{false, L"; the item is back in its place: "},
                        Case{true, L"; the item stays in the batch folder as "}}) {
    SCOPED_TRACE(c.bMoveBackFails);
    ASSERT_TRUE(CLogFile().Open(m_strLog));
    for (const wchar_t* name : {L"a.obj", L"b.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name)));
    // The first record goes through; the second finds the disk full.
    m_view.m_onStatus = [](const CString&) { CLogAccess::FailNextWrite(); };
    if (c.bMoveBackFails) m_disk.Fail(DiskCall::kMove, 3, 5);  // a, b, then b's way back
    const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
    m_view.m_onStatus = nullptr;
    const CString b = Src(L"b.obj");
    EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kFailed);
    const CString stays = c.bMoveBackFails ? CFlatNames().Of(b, false) + L", moved from " : CString();
    EXPECT_EQ(outcome.strError, L"The log file '" + m_strLog + L"' could not be written: " +
                                    PlatformErrorText(DiskFullError()) + c.where + stays + b);
    EXPECT_EQ(outcome.nMoved, c.bMoveBackFails ? 2 : 1);
    EXPECT_EQ(ExistsForTesting(b), !c.bMoveBackFails);
    EXPECT_EQ(BatchNames().size(), c.bMoveBackFails ? 2u : 1u);
    // The dropped record never reaches the log, not even with the end record.
    const CRecords records = Records();
    EXPECT_EQ(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.first == L"..."; }), 1);
    EXPECT_EQ(records.back(), (std::pair<CString, CString>{L"-End", L"Move Files"}));
    ASSERT_TRUE(RemoveTreeForTesting(m_strBatch) && RemoveTreeForTesting(m_strLog));
  }
}

TEST_F(CleanupRun, StopEndsTheWorkPassAtTheNextEntry) {
  for (const wchar_t* name : {L"a.obj", L"b.obj", L"c.obj", L"d.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name)));
  m_view.m_onStatus = [](const CString&) { Stop(); };
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCancelled);
  EXPECT_EQ(outcome.nMoved, 1);
  EXPECT_EQ(BatchNames().size(), 1u);
  const CStringArray tail(m_view.m_events.end() - 4, m_view.m_events.end());
  EXPECT_EQ(tail, (CStringArray{L"end", L"pane:ERROR: Canceled by user request ",
                                L"box:ERROR: Canceled by user request ", L"refresh"}));

  // A Stop during the count pass waits in the queue (nothing pumps there)
  // until the first move of the work pass.
  m_view.m_onStatus = nullptr;
  m_view.m_onPrepare = [] { Stop(); };
  const CCleanupOutcome second = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(second.nEnd, CCleanupOutcome::kCancelled);
  EXPECT_EQ(Counts(second), (std::vector<int32_t>{3, 1, 0}));

  const CRecords records = Records();
  ASSERT_EQ(records.size(), 6u);
  EXPECT_EQ(records[2], std::make_pair(CString(L"-End"), CString(L"Move Files")));
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

TEST_F(CleanupRun, MovesOrAttributeChangesThatFailHalfwayAreCountedAndTheRunGoesOn) {
  for (const wchar_t* name : {L"a.obj", L"b.obj", L"c.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  m_disk.Fail(DiskCall::kMove, 2, 5);
  m_disk.Fail(DiskCall::kSetAttributes, 3, 5);  // ignored: the third item moves all the same
  const CCleanupOutcome files = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(files.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(Counts(files), (std::vector<int32_t>{3, 2, 1}));
  ASSERT_EQ(m_view.m_lines.size(), 3u);
  EXPECT_EQ(m_view.m_lines[1].substr(0, 13), L" ERROR  From ");
  EXPECT_EQ(Survivors(), (CStringArray{L"x", L"x", L"x"}));
  EXPECT_EQ(m_view.m_events[m_view.m_events.size() - 4], L"pane:== Done: 2 of 3 ");

  // A folder whose move failed is still taken: the match inside it is not
  // moved on its own, away from its parent.
  ASSERT_TRUE(WriteFileForTesting(Src(L"Debug/Debug/y.o"), "y"));
  m_view.m_lines.clear();
  m_disk.Fail(DiskCall::kMove, 1, 5);
  const CCleanupOutcome folders = Run(CleanupKind::kFolders, L"Debug");
  EXPECT_EQ(Counts(folders), (std::vector<int32_t>{2, 0, 1}));
  EXPECT_EQ(m_view.m_lines.size(), 1u);
  EXPECT_EQ(Content(Src(L"Debug/Debug/y.o")), L"y");
}

// path with '/' for every separator.
static CString Slashed(CString path) {
  std::replace(path.begin(), path.end(), L'\\', L'/');
  return path;
}

TEST_F(CleanupRun, AnItemThatStaysKeepsItsAttributes) {
  // Both flatten to the same name: the second move finds it taken.
  const bool windows = PlatformPathSeparator() == L'\\';
  const uint32_t kept = windows ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                : FILE_ATTRIBUTE_READONLY;
  // A pair that is read-only (and more), and a plain pair.
  for (const wchar_t* name : {L"a/b_c.obj", L"a_b/c.obj"}) {
    ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
    ASSERT_TRUE(PlatformSetFileAttributes(Src(name), kept));
  }
  for (const wchar_t* name : {L"p/q_r.obj", L"p_q/r.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(outcome.nMoved, 2);
  ASSERT_EQ(outcome.nErrors, 2);
  // Moved: archive alone, as ever. Not moved: as it was found.
  for (const CString& line : m_view.m_lines) {
    uint32_t attributes = 0;
    const CString where = WhereItIs(line);
    ASSERT_TRUE(PlatformGetFileAttributes(where, attributes)) << line;
    const CString item = Slashed(where);
    const bool readOnlyPair = item == Slashed(Src(L"a/b_c.obj")) || item == Slashed(Src(L"a_b/c.obj"));
    EXPECT_EQ(attributes & kept, line.compare(0, 4, L" OK ") != 0 && readOnlyPair ? kept : 0) << line;
  }
}

TEST_F(CleanupRun, LinksAreMovedAsThemselvesAndNeverFollowed) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/target.obj", "t"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"sub/real.txt"), "r"));
  if (!MakeLinkForTesting(m_tmp / L"outside/target.obj", Src(L"link.obj"), false)) GTEST_SKIP() << "no links here";
  ASSERT_TRUE(MakeLinkForTesting(m_view.m_strSource, Src(L"sub/loop"), true));
  ASSERT_TRUE(MakeLinkForTesting(m_tmp / L"outside", Src(L"out"), true));

  const CCleanupOutcome files = Run(CleanupKind::kFiles, L"obj");
  EXPECT_EQ(Counts(files), (std::vector<int32_t>{1, 1, 0}));
  EXPECT_EQ(Content(m_tmp / L"outside/target.obj"), L"t");
  const CString moved = WhereItIs(m_view.m_lines[0]);
  uint32_t attributes = 0;
  ASSERT_TRUE(PlatformGetFileAttributes(moved, attributes));
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

  const CCleanupOutcome folders = Run(CleanupKind::kFolders, L"loop");
  EXPECT_EQ(Counts(folders), (std::vector<int32_t>{1, 1, 0}));
  EXPECT_EQ(Content(Src(L"sub/real.txt")), L"r");
}

TEST_F(CleanupRun, AFolderAPassCannotOpenIsALineOfItsOwnAndNoSuccess) {
  const long denied = PlatformPathSeparator() == L'/' ? 13 : 5;  // EACCES, ERROR_ACCESS_DENIED
  const CString line = L"== Cannot open folder '" + Src(L"sub") + L"': " + PlatformErrorText(denied);
  ASSERT_TRUE(WriteFileForTesting(Src(L"sub/b.obj"), "b"));
  struct CCase {
    int nFailingList;  // lists: 1 root and 2 sub by the count pass, then 3 and 4 by the work pass
    bool bSticky;
    bool bWithA;       // a match outside sub
    int32_t nCounted, nMoved;
    bool bLine, bSuccess;
  } const cases[] = {
      {2, false, true, 1, 2, false, true},  // only the count pass missed it: the work pass saw all
      {4, false, true, 2, 1, true, false},  // the work pass missed it
      {2, true, false, 0, 0, true, false},  // no work pass: the count pass's line is said
  };
  for (const CCase& c : cases) {
    m_view.m_lines.clear();
    if (c.bWithA) {
      ASSERT_TRUE(WriteFileForTesting(Src(L"a.obj"), "a"));
    }
    CFaultyDisk disk;
    disk.Fail(DiskCall::kList, c.nFailingList, denied, c.bSticky);
    const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj", &disk);
    EXPECT_EQ(outcome.nCounted, c.nCounted) << c.nFailingList;
    EXPECT_EQ(outcome.nMoved, c.nMoved) << c.nFailingList;
    EXPECT_EQ(outcome.nUnopened, c.bLine ? 1 : 0) << c.nFailingList;
    EXPECT_EQ(IsEveryMatchMoved(outcome), c.bSuccess) << c.nFailingList;
    EXPECT_EQ(std::count(m_view.m_lines.begin(), m_view.m_lines.end(), line), c.bLine ? 1 : 0) << c.nFailingList;
    RemoveTreeForTesting(m_strBatch);
    RemoveTreeForTesting(m_view.m_strSource);
    ASSERT_TRUE(WriteFileForTesting(Src(L"sub/b.obj"), "b"));
  }
  const CRecords records = Records();  // the log has each line too
  EXPECT_EQ(std::count(records.begin(), records.end(), std::make_pair(CString(L"..."), line)), 2);
}

TEST_F(CleanupRun, UnderWineALinkIsNeverMovedAndItsLineSaysSo) {
  if (PlatformDeletesLinksAsThemselves()) GTEST_SKIP() << "links move as themselves here (LinksAreMovedAsThemselves)";
  // Wine moves what a Unix link points to: the outside folder must stay.
  // (A link to a file Wine shows as the file itself: nothing tells it apart.)
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/Debug/inner.obj", "i"));
  if (!MakeUnixLinkForTesting(m_tmp / L"outside/Debug", Src(L"Debug"))) GTEST_SKIP() << "no Unix links here";
  for (const CleanupKind kind : {CleanupKind::kFiles, CleanupKind::kFolders}) {
    m_view.m_lines.clear();
    const CCleanupOutcome outcome = Run(kind, kind == CleanupKind::kFiles ? L"obj" : L"Debug");
    if (kind == CleanupKind::kFiles) {  // never entered either
      EXPECT_EQ(outcome.nCounted, 0);
      continue;
    }
    EXPECT_EQ(outcome.nMoved, 0);
    EXPECT_EQ(outcome.nErrors, 1);
    EXPECT_FALSE(IsEveryMatchMoved(outcome));
    ASSERT_EQ(m_view.m_lines.size(), 1u);
    EXPECT_EQ(m_view.m_lines[0].find(L" ERROR  From " + Src(L"Debug") + L" ==> "), 0u) << m_view.m_lines[0];
    EXPECT_NE(m_view.m_lines[0].find(L": it is a link"), CString::npos) << m_view.m_lines[0];
  }
  EXPECT_EQ(Content(m_tmp / L"outside/Debug/inner.obj"), L"i");
}

// Swaps the folder `sub` of the source for a link to a folder outside the
// tree, holding items of the same names, at the worst moments of the work
// pass: right before the walk enters it (its second entering: the count
// pass came first), or right before one of its items is moved.
class CSwappingDisk : public CDiskWrapper {
 public:
  CSwappingDisk(CDiskInterface& disk, const CString& sub, const CString& outside)
      : CDiskWrapper(disk), m_strSub(sub), m_strOutside(outside) {}
  bool ListSubfolder(const CFileFind& parent, CFileFind& find) override {
    if (parent.GetFilePath() == m_strSub && m_bBeforeEntering && ++m_nEntered == 2) Swap();
    return CDiskWrapper::ListSubfolder(parent, find);
  }
  bool MoveEntry(const CFileFind& entry, const CFolderHandle& folder, const CString& name) override {
    if (entry.GetRoot() == m_strSub + PlatformPathSeparator() && !m_bBeforeEntering) Swap();
    return CDiskWrapper::MoveEntry(entry, folder, name);
  }
  bool m_bBeforeEntering = true;

 private:
  void Swap() {
    if (m_bSwapped) return;
    m_bSwapped = true;
    EXPECT_EQ(PlatformMoveFile(m_strSub, m_strSub + L".old"), 1);
    EXPECT_TRUE(MakeLinkForTesting(m_strOutside, m_strSub, true));
  }
  CString m_strSub, m_strOutside;
  int m_nEntered = 0;
  bool m_bSwapped = false;
};

TEST_F(CleanupRun, AFolderSwappedForALinkMidRunLeadsNowhereOutsideTheTree) {
  if (!MakeLinkForTesting(m_tmp / L"outside", m_tmp / L"probe", true)) GTEST_SKIP() << "no symbolic links here";
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "Windows moves by path; the swap race is closed on POSIX";
  for (const bool beforeEntering : {true, false}) {
    RemoveTreeForTesting(m_view.m_strSource);
    ASSERT_TRUE(WriteFileForTesting(Src(L"sub/b.obj"), "inside"));
    ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/b.obj", "outside"));
    CSwappingDisk disk(m_disk, Src(L"sub"), m_tmp / L"outside");
    disk.m_bBeforeEntering = beforeEntering;
    m_view.m_lines.clear();
    const CCleanupOutcome outcome = Run(CleanupKind::kFiles, L"obj", &disk);
    EXPECT_EQ(Content(m_tmp / L"outside/b.obj"), L"outside") << beforeEntering;
    EXPECT_EQ(outcome.nCounted, 1);
    // Entered before the swap: the item moved is the one that was listed.
    EXPECT_EQ(outcome.nMoved, beforeEntering ? 0 : 1) << beforeEntering;
    EXPECT_EQ(Survivors(), beforeEntering ? CStringArray{} : CStringArray{L"inside"});
    RemoveTreeForTesting(m_strBatch);
  }
}
