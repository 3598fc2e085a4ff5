#include "app/engine/batch_restore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/engine/actions.h"
#include "app/engine/flat_name.h"
#include "app/engine/trash_folder.h"
#include "app/engine/trash_listing.h"
#include "log/log_file.h"
#include "platform/encoding.h"
#include "platform/fs/file_find.h"
#include "platform/sys/process.h"
#include "testing/faulty_disk.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

bool IsWindows() { return PlatformPathSeparator() == L'\\'; }

// Runs confirmed at once, quietly; onStatus sees each move line.
class CQuietRunView : public CCleanupView {
 public:
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    source = m_strSource;
    list = m_strList;
    return true;
  }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString&) override {}
  void OnStatus(const CString& line) override {
    if (m_onStatus) m_onStatus(line);
  }
  CString m_strSource, m_strList;
  std::function<void(const CString&)> m_onStatus;
};

// A job confirmed at once, keeping its item lines and other lines apart.
class CJobView : public CBatchJobView {
 public:
  bool Confirm(const CString&) override { return true; }
  void AddLine(const CString& line) override { m_lines.push_back(line); }
  void ErrorBox(const CString&) override {}
  void SetProgressRange(int32_t count) override { m_nRange = count; }
  void OnStatus(const CString& line) override {
    m_items.push_back(line);
    if (m_onStatus) m_onStatus();
  }
  CStringArray m_lines, m_items;
  int32_t m_nRange = -1;
  std::function<void()> m_onStatus;
};

class BatchRestore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    m_state.PinUserName(L"nobody_here");
    g_strTrash = m_tmp / L"Trush";
    CreateFolder(g_strTrash);
    m_strLog = m_tmp / L"Velmora.log";
    ASSERT_TRUE(CLogFile().Open(m_strLog));
    m_run.m_strSource = m_tmp / L"src";
  }

  // A run started at the given minute; returns its batch folder.
  CString RunAt(int minute, CleanupKind kind, const CString& list) {
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, minute, 0});
    m_run.m_strList = list;
    EXPECT_EQ(RunCleanup(kind, m_run).nEnd, CCleanupOutcome::kCompleted);
    return GetBatchFolder();
  }

  // Plans with the log closed, as the command line reads it before opening
  // it.
  void Plan(const CString& batch, CDiskInterface& disk = RealDisk()) {
    CLogFile().Close();
    CString error;
    EXPECT_TRUE(PlanRestore(batch, m_run.m_strSource, m_strLog, m_plan, error, disk)) << error;
    EXPECT_TRUE(CLogFile().Open(m_strLog));
  }
  // Plans, then restores into the source.
  CBatchJobOutcome Restore(const CString& batch, CDiskInterface& disk = RealDisk()) {
    Plan(batch, disk);
    m_job = CJobView();
    return RunRestore(m_plan, m_run.m_strSource, m_job, disk);
  }

  // A job's counts: items, done, errors, left.
  static std::vector<int32_t> Counts(const CBatchJobOutcome& o) { return {o.nItems, o.nDone, o.nErrors, o.nLeft}; }

  // Every entry below folder: its path there, and a file's size and bytes.
  static void Snapshot(const CString& folder, const CString& prefix, CStringArray& out) {
    CFileFind find;
    if (!find.FindFile(folder + PlatformPathSeparator() + L"*.*")) return;
    for (bool more = true; more;) {
      more = find.FindNextFile();
      if (find.IsDots()) continue;
      const CString path = prefix + L"/" + find.GetFileName();
      std::string bytes;
      if (find.IsDirectory()) Snapshot(find.GetFilePath(), path, out);
      else ReadFileForTesting(find.GetFilePath(), bytes);
      out.push_back(path + Format(L" %u ", find.GetLength()) + WidenFromAnsiWithPathBytes(bytes));
    }
  }
  CStringArray Tree() const {
    CStringArray entries;
    Snapshot(m_run.m_strSource, CString(), entries);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  const CString m_strSep = CString(1, PlatformPathSeparator());
  CString Src(const CString& relative) const { return m_tmp / (L"src/" + relative); }
  CString Log() {
    CLogFile().Close();
    std::string bytes;
    ReadFileForTesting(m_strLog, bytes);
    EXPECT_TRUE(CLogFile().Open(m_strLog));
    return WidenFromAnsiWithPathBytes(bytes);
  }

  CScopedTempFolder m_tmp;
  CScopedEnvironment m_home{L"HOME", m_tmp.Path()};  // makes the temporary folder the POSIX drive
  CScopedProcessState m_state;                       // goes first: closes the log inside m_tmp
  CString m_strLog;
  CQuietRunView m_run;
  CRestorePlan m_plan;
  CJobView m_job;
};

}  // namespace

TEST_F(BatchRestore, AFilesRunAndAFoldersRunAreUndoneExactly) {
  CStringArray names{L"Debug/a.obj", L"Debug/Debug/x.o", L"name with blanks/b.obj", L"d\u00e9j\u00e0 vu/c.OBJ",
                     L"lib/Debug/y.txt", L"keep.cpp", L"empty.obj"};
  // A name holding the arrow of a record, and bytes that are no UTF-8.
  if (!IsWindows()) names.insert(names.end(), {L"a ==> b/d.obj", L"raw\xDCFF\xDC80/e.obj"});
  for (size_t i = 0; i < names.size(); ++i)
    ASSERT_TRUE(WriteFileForTesting(Src(names[i]), names[i] == L"empty.obj" ? "" : std::string(i + 1, 'x')));
  ASSERT_TRUE(MakeFoldersForTesting(Src(L"Debug/Debug/inner")));
  const CStringArray before = Tree();

  const CString files = RunAt(1, CleanupKind::kFiles, L"obj");
  const CString folders = RunAt(2, CleanupKind::kFolders, L"Debug");
  EXPECT_NE(Tree(), before);

  // What list shows is what the runs moved, and all of it can go back.
  CString logError;
  CLogFile().Close();
  int32_t skipped = -1;
  CFaultyDisk disk;
  const std::vector<CBatchSummary> listed =
      SummarizeBatchFolders(g_strTrash, m_run.m_strSource, m_strLog, logError, skipped, disk);
  ASSERT_TRUE(CLogFile().Open(m_strLog));
  // The trash folder once, and each folder below it once (two batches, and
  // .src.Debug, its Debug/inner, .src.lib.Debug): one listing for a batch.
  EXPECT_EQ(disk.Calls(DiskCall::kList), 1 + 2 + 3 + 1);
  EXPECT_EQ(logError, L"");
  EXPECT_EQ(skipped, 0);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].folder.strPath, folders);  // newest first
  EXPECT_EQ(listed[0].nItems, 2);                // src/Debug and src/lib/Debug
  EXPECT_EQ(listed[0].nSize, 2u + 5u);           // x.o and y.txt
  EXPECT_EQ(listed[0].nRestorable, 2);
  EXPECT_EQ(listed[1].nItems, IsWindows() ? 4 : 6);
  EXPECT_EQ(listed[1].nRestorable, listed[1].nItems);

  // Newest first, as a user undoes them.
  for (const CString& batch : {folders, files}) {
    const CBatchJobOutcome outcome = Restore(batch);
    EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
    EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{outcome.nItems, outcome.nItems, 0, 0}));
    EXPECT_FALSE(ExistsForTesting(batch));
    EXPECT_EQ(m_job.m_lines.front().find(L"== Restore "), 0u);  // the log is open: no line says it is not
    EXPECT_EQ(m_job.m_lines.end()[-2], FormatSummary(outcome.nItems, outcome.nItems));
    EXPECT_EQ(m_job.m_lines.back(), L"== Finished");
  }
  EXPECT_EQ(Tree(), before);

  // Each move back is an item record of the job "Restore".
  const CString log = Log();
  const size_t start = log.rfind(L"-Start     : "), end = log.rfind(L"-End       : ");
  ASSERT_NE(start, CString::npos);
  EXPECT_NE(log.substr(start, log.find(L'\n', start) - start).find(L"Restore"), CString::npos);
  for (const CString& line : m_job.m_items) {
    EXPECT_EQ(line.substr(0, 10), L" OK  From ");
    const size_t at = log.find(line, start);
    EXPECT_TRUE(at != CString::npos && at < end) << line;
  }
}

TEST_F(BatchRestore, WhatCannotGoBackStaysWhereItIs) {
  for (int i = 1; i <= 5; ++i) ASSERT_TRUE(WriteFileForTesting(Src(Format(L"f%d.obj", i)), "old"));
  // Stop after the third move: the run ends midway.
  int moves = 0;
  CStringArray lines;
  m_run.m_onStatus = [&moves, &lines](const CString& line) {
    lines.push_back(line);
    if (++moves == 3) PostCommand([] { g_bCancel = true; });
  };
  m_state.PinClock(CLocalTime{2026, 12, 5, 2, 0, 0});
  m_run.m_strList = L"obj";
  ASSERT_EQ(RunCleanup(CleanupKind::kFiles, m_run).nEnd, CCleanupOutcome::kCancelled);
  const CString batch = GetBatchFolder();
  Plan(batch);
  ASSERT_EQ(m_plan.items.size(), 3u);  // the last moved comes back first
  const CBatchItem moved3 = m_plan.items[0], moved2 = m_plan.items[1], moved1 = m_plan.items[2];
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(lines[i],
              L" OK  From " + m_plan.items[2 - i].strSource + L" ==> " + batch + m_strSep + m_plan.items[2 - i].strName);

  // The user deleted one item, a new file stands where another came from,
  // and something no run put there lies in the batch.
  ASSERT_TRUE(RemoveTreeForTesting(batch + m_strSep + moved1.strName));
  ASSERT_TRUE(WriteFileForTesting(moved2.strSource, "new"));
  ASSERT_TRUE(WriteFileForTesting(batch + m_strSep + L"stray.txt", "s"));
  CBatchJobOutcome outcome = Restore(batch);
  EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{3, 1, 2, 1}));
  EXPECT_EQ(m_job.m_nRange, 3);  // one step per item
  ASSERT_EQ(m_job.m_items.size(), 3u);
  EXPECT_EQ(m_job.m_items[0], L" OK  From " + batch + m_strSep + moved3.strName + L" ==> " + moved3.strSource);
  EXPECT_EQ(m_job.m_items[1], L" ERROR  From " + batch + m_strSep + moved2.strName + L" ==> " + moved2.strSource);
  EXPECT_EQ(m_job.m_items[2].substr(0, 13), L" ERROR  From ");
  EXPECT_NE(std::find(m_job.m_lines.begin(), m_job.m_lines.end(), FormatLeftInPlace(batch + m_strSep + L"stray.txt")),
            m_job.m_lines.end());
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(moved2.strSource, bytes) && bytes == "new");  // never replaced
  EXPECT_TRUE(ReadFileForTesting(batch + m_strSep + moved2.strName, bytes) && bytes == "old");
  EXPECT_TRUE(ReadFileForTesting(moved3.strSource, bytes) && bytes == "old");
  EXPECT_FALSE(ExistsForTesting(moved1.strSource));
  EXPECT_EQ(moved1.strSource.find(m_run.m_strSource), 0u);

  // Once the way is free, a second restore takes what is left: the item
  // restored before is known to be gone from the batch, not missing.
  ASSERT_TRUE(RemoveTreeForTesting(moved2.strSource));
  outcome = Restore(batch);
  EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{2, 1, 1, 1}));  // left: the stray alone, moves out are no items
  EXPECT_TRUE(ReadFileForTesting(moved2.strSource, bytes) && bytes == "old");
  EXPECT_TRUE(ExistsForTesting(batch + m_strSep + L"stray.txt"));  // not empty: the batch folder stays

  // A folder gone from its batch is still known by its record.
  ASSERT_TRUE(WriteFileForTesting(Src(L"h/Debug/x.o"), "x"));
  const CString folders = RunAt(3, CleanupKind::kFolders, L"Debug");
  Plan(folders);
  ASSERT_EQ(m_plan.items.size(), 1u);
  ASSERT_TRUE(RemoveTreeForTesting(folders + m_strSep + m_plan.items[0].strName));
  Plan(folders);
  EXPECT_EQ(m_plan.items.size(), 1u);
  EXPECT_EQ(m_plan.nRefused, 0);

  // A batch folder the log knows nothing of: everything is left in place.
  const CString unknown = g_strTrash + m_strSep + L"2026_11_30_00_00_00";
  ASSERT_TRUE(WriteFileForTesting(unknown + m_strSep + L"_src_g.obj", "g"));
  outcome = Restore(unknown);
  EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{0, 0, 0, 1}));
  EXPECT_TRUE(ExistsForTesting(unknown + m_strSep + L"_src_g.obj"));
  // A batch folder gone since its plan is not made again.
  ASSERT_TRUE(RemoveTreeForTesting(unknown));
  EXPECT_NE(RunRestore(m_plan, m_run.m_strSource, m_job).nEnd, CCleanupOutcome::kCompleted);
  EXPECT_FALSE(ExistsForTesting(unknown));
  // Asking whether a batch folder can be opened makes none.
  EXPECT_FALSE(CanOpenBatchFolder(g_strTrash + m_strSep + L"2026_11_29_00_00_00"));
  EXPECT_FALSE(CanOpenBatchFolder(m_tmp / L"none/2026_11_29_00_00_00") || ExistsForTesting(m_tmp / L"none"));
}

TEST_F(BatchRestore, ListCountsWhatEachBatchHoldsAndWhatCanStillGoBack) {
  for (const wchar_t* name : {L"a.obj", L"bb.obj", L"d/ccc.obj", L"Debug/x.o"}) ASSERT_TRUE(WriteFileForTesting(Src(name), "12"));
  const CString files = RunAt(1, CleanupKind::kFiles, L"obj");
  const CString folders = RunAt(2, CleanupKind::kFolders, L"Debug");
  // The user deletes one moved file and drops a stray one into the batch;
  // a newer batch folder holds nothing.
  const CStringArray moved = ListFolderContents(files, false).names;
  ASSERT_EQ(moved.size(), 3u);
  ASSERT_TRUE(RemoveTreeForTesting(files + m_strSep + moved[0]));
  ASSERT_TRUE(WriteFileForTesting(files + m_strSep + L"stray.txt", "12345"));
  const CString empty = g_strTrash + m_strSep + L"2099_01_01_00_00_00";
  ASSERT_TRUE(MakeFoldersForTesting(empty));

  const CFolderContents contents = ListFolderContents(files, true);
  EXPECT_EQ(contents.nItems, 3);
  EXPECT_EQ(contents.names.size(), 3u);
  EXPECT_EQ(contents.nSize, 2u + 2u + 5u);
  CBatchFolder last;
  ASSERT_TRUE(FindLastBatch(g_strTrash, last));
  EXPECT_EQ(last.strPath, folders);  // the newest that holds anything

  CLogFile().Close();
  CString logError;
  int32_t skipped = -1;
  const std::vector<CBatchSummary> listed = SummarizeBatchFolders(g_strTrash, m_run.m_strSource, m_strLog, logError, skipped);
  ASSERT_TRUE(CLogFile().Open(m_strLog));
  ASSERT_EQ(listed.size(), 3u);
  const int32_t expected[][2] = {{0, 0}, {1, 1}, {3, 2}};  // items, restorable: newest first
  for (size_t i = 0; i < listed.size(); ++i) {
    SCOPED_TRACE(listed[i].folder.strName);
    EXPECT_EQ(listed[i].nItems, expected[i][0]);
    EXPECT_EQ(listed[i].nRestorable, expected[i][1]);
  }
  EXPECT_EQ(listed[1].nSize, 2u);
}

TEST_F(BatchRestore, MissingFoldersAreMadeOnlyInsideTheSourceAndStopEndsTheRestore) {
  for (const wchar_t* name : {L"gone/deeper/a.obj", L"gone/b.obj", L"c.obj"})
    ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CString batch = RunAt(3, CleanupKind::kFiles, L"obj");
  ASSERT_TRUE(RemoveTreeForTesting(Src(L"gone")));

  // Stop at the first item: the others stay in the batch. The source is
  // typed with a separator at its end.
  Plan(batch);
  m_job.m_onStatus = [] { PostCommand([] { g_bCancel = true; }); };
  CBatchJobOutcome outcome = RunRestore(m_plan, m_run.m_strSource + PlatformPathSeparator(), m_job);
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCancelled);
  EXPECT_EQ(outcome.nDone, 1);
  EXPECT_EQ(m_job.m_lines.back(), kCancelText);
  EXPECT_EQ(outcome.strError, kCancelText);

  // The plan's sources lie outside another source: nothing is tried there.
  const CString other = m_tmp / L"other";
  ASSERT_TRUE(MakeFoldersForTesting(other));
  m_job = CJobView();
  CFaultyDisk outside;
  EXPECT_EQ(RunRestore(m_plan, other, m_job, outside).nErrors, 3);
  EXPECT_EQ(outside.Calls(DiskCall::kMove), 0);

  // A folder that cannot be made leaves its item in the batch, untried.
  CFaultyDisk disk;
  disk.Fail(DiskCall::kOpenFolder, 4, 13, true);  // trash, batch, source root: then nothing
  outcome = Restore(batch, disk);
  EXPECT_EQ(outcome.nErrors, outcome.nItems - outcome.nDone);
  EXPECT_GT(outcome.nErrors, 0);
  EXPECT_EQ(disk.Calls(DiskCall::kMove), outcome.nDone);
  outcome = Restore(batch);
  EXPECT_EQ(outcome.nErrors, 0);
  EXPECT_FALSE(ExistsForTesting(batch));
  for (const wchar_t* name : {L"gone/deeper/a.obj", L"gone/b.obj", L"c.obj"}) EXPECT_TRUE(ExistsForTesting(Src(name)));
}

// A name can hold a line break and, after it, a whole forged record; a run
// by someone else over a shared tree must neither write it nor obey it.
TEST_F(BatchRestore, ANameCannotForgeARecord) {
  if (IsWindows()) GTEST_SKIP() << "Windows names cannot hold a line break";
  const CString batch = g_strTrash + m_strSep + L"2026_12_05_02_07_00";
  const CString victim = m_tmp / L"victim";
  const CString forged = L"x\n...        : '12/05/2026 02:07:00'   OK  From " + victim + L"/owned/pwn.sh ==> " + batch +
                         L"/_src_shared_evil_payload.obj\n";
  const CString evil = Src(L"shared/" + forged + L"/evil/payload.obj");
  ASSERT_TRUE(WriteFileForTesting(evil, "payload"));
  ASSERT_TRUE(WriteFileForTesting(Src(L"fair.obj"), "fair"));
  std::vector<CString> lines;
  m_run.m_onStatus = [&lines](const CString& line) { lines.push_back(line); };
  EXPECT_EQ(RunAt(7, CleanupKind::kFiles, L"obj"), batch);

  // The item stays, with an escaped " ERROR " line; no line of the log
  // begins with text from a name.
  EXPECT_TRUE(ExistsForTesting(evil));
  ASSERT_EQ(lines.size(), 2u);
  const CString error = lines[0].find(L"evil") != CString::npos ? lines[0] : lines[1];
  EXPECT_EQ(error.substr(0, 13), L" ERROR  From ");
  EXPECT_EQ(error.find_first_of(L"\r\n"), CString::npos);
  EXPECT_NE(error.find(L"x\\n...        : "), CString::npos);
  const CString log = Log();
  EXPECT_EQ(log.find(L"\n...        : '12/05/2026 02:07:00'   OK  From " + victim), CString::npos);

  Restore(batch);
  EXPECT_FALSE(ExistsForTesting(victim));
  EXPECT_TRUE(ExistsForTesting(evil));
  EXPECT_TRUE(ExistsForTesting(Src(L"fair.obj")));
}

// Records edited by hand: each one that does not fit its item is named, and
// its item stays; the others go back.
TEST_F(BatchRestore, ARecordThatDoesNotMatchItsItemIsRefusedAndNamed) {
  for (const wchar_t* name : {L"a.obj", L"b.obj", L"c.obj", L"d.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CString batch = RunAt(8, CleanupKind::kFiles, L"obj");
  const CString outside = m_tmp / L"outside", src = m_run.m_strSource;
  const CString forged[] = {outside + m_strSep + L"a.obj", src + m_strSep + L".." + m_strSep + L"victim" + m_strSep + L"b.obj",
                            src + m_strSep + L"sub" + m_strSep + L"c.obj"};
  CFlatNames names;
  const CString items[] = {names.Of(Src(L"a.obj"), false), names.Of(Src(L"b.obj"), false),
                           names.Of(Src(L"c.obj"), false)};
  CLogFile log;
  for (size_t i = 0; i < 3; ++i) log.Log(FormatMoveLine(forged[i], batch + m_strSep + items[i], false));
  const CBatchJobOutcome outcome = Restore(batch);
  EXPECT_EQ(outcome.nDone, 1);
  EXPECT_EQ(outcome.nLeft, 3);
  EXPECT_TRUE(ExistsForTesting(Src(L"d.obj")));
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(ExistsForTesting(batch + m_strSep + items[i]));
    const CString note = L"== Not restored, the record does not match its item: " + forged[i] + L" ==> " + batch +
                         m_strSep + items[i];
    EXPECT_NE(std::find(m_job.m_lines.begin(), m_job.m_lines.end(), note), m_job.m_lines.end()) << note;
    EXPECT_EQ(std::find(m_job.m_lines.begin(), m_job.m_lines.end(), FormatLeftInPlace(batch + m_strSep + items[i])),
              m_job.m_lines.end());  // named once, as a record
  }
  EXPECT_FALSE(ExistsForTesting(outside));
  EXPECT_FALSE(ExistsForTesting(m_tmp / L"victim"));
}

// Where the log's code page lacks a character (Windows), the record holds
// '?': the item that fits goes back, never onto another item's place.
TEST_F(BatchRestore, NamesInAnyScriptGoBackWhereTheyCameFrom) {
  const CString names[] = {L"a/b.obj", L"\u0101_b.obj", L"\u03b1\u03b2\u03b3.obj", L"\u6f22\u5b57/x.obj",
                           L"\xD83D\xDE00.obj", L"\u0101\u0113/\u012b.obj"};
  for (const CString& name : names) ASSERT_TRUE(WriteFileForTesting(Src(name), NarrowToUtf8(name)));
  const CStringArray before = Tree();
  const CString batch = RunAt(9, CleanupKind::kFiles, L"obj");
  const CBatchJobOutcome outcome = Restore(batch);
  EXPECT_EQ(Counts(outcome), (std::vector<int32_t>{6, 6, 0, 0}));
  EXPECT_EQ(Tree(), before);
  EXPECT_FALSE(ExistsForTesting(batch));

  // Two items whose records read the same: nothing is guessed, both stay.
  for (const wchar_t* name : {L"\u0101.obj", L"\u0113.obj"}) ASSERT_TRUE(WriteFileForTesting(Src(name), "x"));
  const CString twins = RunAt(10, CleanupKind::kFiles, L"obj");
  const CBatchJobOutcome guessed = Restore(twins);
  if (!AnsiLosesCharacters()) GTEST_SKIP() << "this log holds every name exactly";
  EXPECT_EQ(guessed.nDone, 6);  // the first six, moved again, and not the twins
  EXPECT_EQ(guessed.nLeft, 3);  // the twins' one record (the later replaced the earlier) and both items
  EXPECT_NE(std::find_if(m_job.m_lines.begin(), m_job.m_lines.end(),
                         [](const CString& l) { return l.find(L"several items fit the record") == 17; }),
            m_job.m_lines.end());
  EXPECT_EQ(Tree(), before);
  EXPECT_TRUE(ExistsForTesting(twins));
}
