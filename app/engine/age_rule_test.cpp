// --older-than: the age rule, the folder reading, and the runs and dry runs
// that use them. The file-time clock is pinned; the times are set on the
// items themselves.
#include "app/engine/age_rule.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/engine/actions.h"
#include "app/engine/cleanup_run.h"
#include "app/engine/dry_run.h"
#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "log/log_file.h"
#include "platform/sys/clock.h"
#include "platform/fs/file_find.h"
#include "platform/fs/file_system.h"
#include "testing/faulty_disk.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"
#include "text/format.h"

namespace {

constexpr uint64_t kSecond = CFileTime::kSecond;
constexpr uint64_t kDay = 86400 * kSecond;
// 2026-12-05 02:34:50 UTC, as a file time.
constexpr uint64_t kNow = CFileTime::kUnixEpoch + 1796438090ULL * kSecond;
// Just over and just under 30 days old.
constexpr uint64_t kOld = kNow - 30 * kDay - kSecond;
constexpr uint64_t kYoung = kNow - 30 * kDay + kSecond;

// A front end that answers Yes, asks for --older-than days, and keeps the
// lines of the pane.
class CAgeView : public CCleanupView {
 public:
  bool PrepareRun(CleanupKind, CString& source, CString& list) override {
    source = m_strSource;
    list = m_strList;
    return true;
  }
  int GetOlderThanDays() override { return m_nDays; }
  void AddLine(const CString& line) override { m_pane.push_back(line); }
  void ErrorBox(const CString& text) override { m_pane.push_back(L"box:" + text); }

  CString m_strSource, m_strList;
  int m_nDays = kAnyAge;
  CStringArray m_pane;
};

class AgeRule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    m_state.PinFileTimeNow(CFileTime(kNow));
    m_state.PinUserName(L"nobody_here");
    m_state.PinClock(CLocalTime{2026, 12, 5, 2, 34, 50});
    m_src = m_tmp / L"src";
    ASSERT_TRUE(MakeFoldersForTesting(m_src));
  }

  // Makes a file (and its folders) and gives it the time.
  void File(const CString& relative, uint64_t time) {
    ASSERT_TRUE(WriteFileForTesting(m_src + L"/" + relative, "12345"));
    Time(relative, time);
  }
  // Sets the time of an item of the tree itself (a link as itself).
  void Time(const CString& relative, uint64_t time) {
    ASSERT_TRUE(SetLastWriteTimeForTesting(m_src + L"/" + relative, time)) << relative;
  }

  // What a dry run with the rule lists, relative to the source, sorted.
  CStringArray DryRun(CleanupKind kind, const CString& list, int days, uint64_t* size = nullptr,
                      CDiskInterface& disk = RealDisk()) {
    CStringArray items;
    const CDryRunOutcome outcome = DryRunCleanup(
        kind, m_src, CString(), list,
        [&](const CDryRunItem& item) {
          CString relative = item.strPath.substr(m_src.size() + 1);
          std::replace(relative.begin(), relative.end(), L'\\', L'/');
          items.push_back(relative);
        },
        disk, CAgeRule(days));
    EXPECT_FALSE(outcome.bCancelled);
    if (size != nullptr) *size = outcome.nTotalSize;
    std::sort(items.begin(), items.end());
    return items;
  }

  int32_t Count(CFileAction&& action, int days) {
    action.m_age = CAgeRule(days);
    WalkFolder(m_src, action);
    return action.m_nCount;
  }

  CScopedProcessState m_state;
  CScopedTempFolder m_tmp;
  CString m_src;
};

}  // namespace

TEST_F(AgeRule, AnItemMustBeOlderThanTheDays) {
  struct {
    int days;
    uint64_t time;
    bool old;
  } const cases[] = {
      {kAnyAge, kNow, true},      {kAnyAge, 0, true},  // no rule: everything
      {30, kOld, true},           {30, kNow - 30 * kDay, false},  // exactly 30 days is not older
      {30, kYoung, false},        {30, kNow + kDay, false},       // from the future
      {30, 0, false},                                             // not known
      {0, kNow - 1, true},        {0, kNow, false},
      {kMaxAgeDays, 1, false},    {kMaxAgeDays + 1, 1, false},    // older than the clock
  };
  for (const auto& c : cases)
    EXPECT_EQ(CAgeRule(c.days).IsOld(CFileTime(c.time)), c.old) << c.days << " days, time " << c.time;
  EXPECT_FALSE(CAgeRule(kAnyAge).IsActive());
  // The clock is read once, when the rule is made.
  const CAgeRule rule(30);
  m_state.PinFileTimeNow(CFileTime(kNow + 2 * kSecond));
  EXPECT_FALSE(rule.IsOld(CFileTime(kNow - 30 * kDay)));
  EXPECT_TRUE(CAgeRule(30).IsOld(CFileTime(kNow - 30 * kDay)));
}

TEST_F(AgeRule, FilesJustOverTheAgeMatchAndJustUnderDoNot) {
  File(L"old.obj", kOld);
  File(L"young.obj", kYoung);
  File(L"sub/old.pdb", kOld);
  File(L"sub/old.txt", kOld);
  EXPECT_EQ(DryRun(CleanupKind::kFiles, L"obj pdb", 30), (CStringArray{L"old.obj", L"sub/old.pdb"}));
  EXPECT_EQ(Count(CExtCount(L"obj pdb", nullptr), 30), 2);
  EXPECT_EQ(Count(CExtCount(L"obj obj", nullptr), 30), 2);  // once per token, as without the rule
  // Without the option nothing changes.
  EXPECT_EQ(DryRun(CleanupKind::kFiles, L"obj pdb", kAnyAge),
            (CStringArray{L"old.obj", L"sub/old.pdb", L"young.obj"}));
  EXPECT_EQ(Count(CExtCount(L"obj pdb", nullptr), kAnyAge), 3);
}

TEST_F(AgeRule, AFolderMatchesOnlyWhenNothingInsideIsYoung) {
  // a/Debug: old all through. b/Debug: one young file deep inside.
  // c/Debug: old files, but a young folder inside. d/Debug: empty.
  File(L"a/Debug/x/y/z.o", kOld);
  File(L"a/Debug/top.o", kOld);
  Time(L"a/Debug/x/y", kOld);
  Time(L"a/Debug/x", kOld);
  File(L"b/Debug/x/y/old.o", kOld);
  File(L"b/Debug/x/y/young.o", kYoung);
  Time(L"b/Debug/x/y", kOld);
  Time(L"b/Debug/x", kOld);
  File(L"c/Debug/x/old.o", kOld);
  Time(L"c/Debug/x", kYoung);
  ASSERT_TRUE(MakeFoldersForTesting(m_src + L"/d/Debug"));

  uint64_t size = 0;
  EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", 30, &size), (CStringArray{L"a/Debug", L"d/Debug"}));
  EXPECT_EQ(size, 10u);  // the two files of a/Debug
  EXPECT_EQ(Count(CDirsCount(L"Debug", nullptr), 30), 2);
  EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", kAnyAge).size(), 4u);
  EXPECT_EQ(Count(CDirsCount(L"Debug", nullptr), kAnyAge), 4);
}

TEST_F(AgeRule, ALinkInsideAnOldFolderCountsItselfAndIsNotFollowed) {
  File(L"young.txt", kYoung);
  File(L"elsewhere/young.o", kYoung);
  File(L"Debug/old.o", kOld);
  if (!MakeLinkForTesting(m_src + L"/young.txt", m_src + L"/Debug/link", false) ||
      !MakeLinkForTesting(m_src + L"/elsewhere", m_src + L"/Debug/sub", true) ||
      !SetLastWriteTimeForTesting(m_src + L"/Debug/link", kOld))
    GTEST_SKIP() << "no links here, or no times set on them";
  Time(L"Debug/sub", kOld);
  EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", 30), (CStringArray{L"Debug"}));
  EXPECT_EQ(Count(CDirsCount(L"Debug", nullptr), 30), 1);
  // The link itself young: the folder is not old enough.
  Time(L"Debug/link", kYoung);
  EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", 30), CStringArray());
  EXPECT_EQ(Count(CDirsCount(L"Debug", nullptr), 30), 0);
}

TEST_F(AgeRule, MatchesInsideMatchesCountAsWithoutTheRuleAndARunMovesTheOutermost) {
  g_strTrash = m_tmp / L"Trush";
  CreateFolder(g_strTrash);
  ASSERT_TRUE(CLogFile().Open(m_tmp / L"Velmora.log"));
  File(L"a/Debug/x.o", kOld);
  File(L"b/Debug/x.o", kYoung);
  // An old Debug inside an old Debug: both counted, one moved (the inner
  // travels with the outer), as without the rule.
  File(L"c/Debug/Debug/x.o", kOld);
  Time(L"c/Debug/Debug", kOld);
  // A young Debug with an old one inside: the inner one alone.
  File(L"q/Debug/young.o", kYoung);
  File(L"q/Debug/Debug/x.o", kOld);
  Time(L"q/Debug/Debug", kOld);
  EXPECT_EQ(Count(CDirsCount(L"Debug debug", nullptr), 30), 2 * 4);  // once per token
  EXPECT_EQ(Count(CDirsCount(L"Debug debug", nullptr), kAnyAge), 2 * 6);
  EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", 30), (CStringArray{L"a/Debug", L"c/Debug", L"q/Debug/Debug"}));

  CAgeView view;
  view.m_strSource = m_src;
  view.m_strList = L"Debug";
  view.m_nDays = 30;
  const CCleanupOutcome outcome = RunCleanup(CleanupKind::kFolders, view);
  CLogFile().Close();
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  EXPECT_EQ(outcome.nCounted, 4);
  EXPECT_EQ(outcome.nMoved, 3);
  EXPECT_TRUE(IsEveryMatchMoved(outcome));
  EXPECT_NE(std::find(view.m_pane.begin(), view.m_pane.end(), L"== Done: 3 of 4 "), view.m_pane.end());
  for (const wchar_t* gone : {L"/a/Debug", L"/c/Debug", L"/q/Debug/Debug"}) EXPECT_FALSE(ExistsForTesting(m_src + gone));
  EXPECT_TRUE(ExistsForTesting(m_src + L"/b/Debug/x.o"));
  EXPECT_TRUE(ExistsForTesting(m_src + L"/q/Debug/young.o"));
}

TEST_F(AgeRule, TheQuestionAndTheAnnouncementSayTheFilter) {
  EXPECT_EQ(FormatAgeLimit(1), L" older than 1 day");
  EXPECT_EQ(FormatAgeLimit(kAnyAge), L"");
  EXPECT_EQ(FormatQuestion(CleanupKind::kFiles, L"obj", L"/s", L"/t", 30),
            L"Are you sure you want to move files with extension 'obj' older than 30 days\nFrom:\n'/s'\nTo:\n'/t'");
  EXPECT_EQ(FormatQuestion(CleanupKind::kFolders, L"Debug", L"/s", L"/t"),
            L"Are you sure you want to move folders with name 'Debug'\nFrom:\n'/s'\nTo:\n'/t'");
  EXPECT_EQ(FormatAnnouncement(CleanupKind::kFolders, L"Debug", L"/s", L"/t", 0),
            L"== Move Dirs with name 'Debug' older than 0 days from '/s' To '/t'");
}

TEST_F(AgeRule, AFolderWhoseTreeCannotBeReadIsNoMatch) {
  File(L"Debug/old.o", kOld);
  File(L"Debug/x/old.o", kOld);
  Time(L"Debug/x", kOld);
  // List calls: the source, then the reading of Debug, then of Debug/x.
  for (const int nth : {2, 3}) {
    CFaultyDisk disk;
    disk.Fail(DiskCall::kList, nth, 13);
    EXPECT_EQ(DryRun(CleanupKind::kFolders, L"Debug", 30, nullptr, disk), CStringArray()) << "list call " << nth;
  }
  // Without the rule a folder is taken whatever its tree.
  CFaultyDisk disk;
  disk.Fail(DiskCall::kList, 2, 13);
  EXPECT_EQ(DryRunCleanup(CleanupKind::kFolders, m_src, CString(), L"Debug", nullptr, disk).nItems, 1);
}
