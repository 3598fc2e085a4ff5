#include "app/engine/batch_purge.h"

#include <gtest/gtest.h>

#include "app/engine/trash_folder.h"
#include "log/log_file.h"
#include "platform/fs/folder_handle.h"
#include "platform/encoding.h"
#include "platform/sys/process.h"
#include "testing/faulty_disk.h"
#include "testing/scoped_process_state.h"
#include "testing/test_process.h"
#include "testing/test_files.h"

namespace {

class CJobView : public CBatchJobView {
 public:
  bool Confirm(const CString&) override { return true; }
  void AddLine(const CString&) override {}
  void ErrorBox(const CString&) override {}
  void OnStatus(const CString& line) override { m_items.push_back(line); }
  CStringArray m_items;
};

class BatchPurge : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    ASSERT_TRUE(CLogFile().Open(m_tmp / L"Velmora.log"));
    CreateFolder(m_strTrash);
  }
  CString Trash(const CString& relative) const { return m_strTrash + PlatformPathSeparator() + relative; }

  CScopedTempFolder m_tmp;
  CScopedProcessState m_state;  // goes first: closes the log inside m_tmp
  CString m_strTrash = m_tmp / L"Trush";
  const CLocalTime m_now{2026, 12, 5, 2, 34, 50};
};

}  // namespace

TEST_F(BatchPurge, ABatchFolderInUseOrThatCannotBeRemovedIsAnErrorLineAndStays) {
  // A run started long ago (by the clock) and still going, whatever log it
  // writes: its batch folder is old enough by name, but in use.
  m_state.PinClock(CLocalTime{2025, 1, 1, 0, 0, 0});
  g_strTrash = m_strTrash;
  MakeBatchFolder();
  const CString running = GetBatchFolder();
  ASSERT_TRUE(WriteFileForTesting(running + PlatformPathSeparator() + L"_moved.obj", "m"));
  ASSERT_TRUE(WriteFileForTesting(Trash(L"2025_01_02_00_00_00/_b.obj"), "b"));
  const std::vector<CBatchFolder> chosen = SelectOldBatches(m_strTrash, 0, m_now);
  ASSERT_EQ(chosen.size(), 2u);
  CJobView view;
  const CBatchJobOutcome outcome = RunPurge(m_strTrash, chosen, 0, view);
  EXPECT_EQ(outcome.nDone, 1);
  EXPECT_EQ(outcome.nErrors, 1);
  EXPECT_EQ(view.m_items, (CStringArray{L" OK  Deleted " + Trash(L"2025_01_02_00_00_00"),
                                        L" ERROR  Cannot delete " + running + L": in use"}));
  EXPECT_TRUE(ExistsForTesting(running + PlatformPathSeparator() + L"_moved.obj"));

  // Once the run has ended, the folder goes like any other; one that
  // cannot be removed is an error line and stays.
  CloseBatchFolder();
  const CString stuck = Trash(L"2025_01_03_00_00_00");
  ASSERT_TRUE(WriteFileForTesting(stuck + PlatformPathSeparator() + L"_c.obj", "c"));
  CFaultyDisk disk;
  disk.Fail(DiskCall::kRemove, 1, 5);  // newest first
  CJobView after;
  EXPECT_EQ(RunPurge(m_strTrash, SelectOldBatches(m_strTrash, 0, m_now, disk), 0, after, disk).nErrors, 1);
  EXPECT_EQ(after.m_items,
            (CStringArray{L" ERROR  Cannot delete " + stuck + L": " + PlatformErrorText(5), L" OK  Deleted " + running}));
  EXPECT_FALSE(ExistsForTesting(running));
  EXPECT_TRUE(ExistsForTesting(stuck));
}

TEST_F(BatchPurge, WhatWentSinceItWasChosenIsNeverMadeAgain) {
  const CString gone = Trash(L"2025_01_02_00_00_00");
  ASSERT_TRUE(MakeFoldersForTesting(Trash(L"2025_01_01_00_00_00")) && MakeFoldersForTesting(gone));
  const std::vector<CBatchFolder> chosen = SelectOldBatches(m_strTrash, 0, m_now);
  ASSERT_TRUE(RemoveTreeForTesting(gone));
  CJobView view;
  const CBatchJobOutcome outcome = RunPurge(m_strTrash, chosen, 0, view);
  EXPECT_EQ((std::vector<int32_t>{outcome.nItems, outcome.nDone, outcome.nErrors}), (std::vector<int32_t>{2, 1, 1}));
  ASSERT_EQ(view.m_items.size(), 2u);
  EXPECT_EQ(view.m_items[0].find(L" ERROR  Cannot delete " + gone + L": "), 0u) << view.m_items[0];
  EXPECT_FALSE(ExistsForTesting(gone));
  // Nor the trash folder.
  ASSERT_TRUE(RemoveTreeForTesting(m_strTrash));
  EXPECT_NE(RunPurge(m_strTrash, chosen, 0, view).nEnd, CCleanupOutcome::kCompleted);
  EXPECT_FALSE(ExistsForTesting(m_strTrash));
}

TEST_F(BatchPurge, NeverEntersAnotherFileSystemNorABindMount) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "mounts are made with the POSIX mount command";
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/keep.txt", "k"));
  const CString batch = Trash(L"2025_01_01_00_00_00");
  ASSERT_TRUE(WriteFileForTesting(batch + L"/_a.obj", "a"));
  ASSERT_TRUE(MakeFoldersForTesting(batch + L"/.src.mnt"));
  const CString output = m_tmp / L"mount.txt";
  const auto run = [&output](const CString& program, const std::vector<CString>& arguments) {
    CTestProcess process;
    return process.Start(program, arguments, CString(), output, output) && process.Wait() == 0;
  };
  if (!run(L"/bin/mount", {L"--bind", m_tmp / L"outside", batch + L"/.src.mnt"}))
    GTEST_SKIP() << "mounting is not allowed here (it needs root)";
  CJobView view;
  const CBatchJobOutcome outcome = RunPurge(m_strTrash, SelectOldBatches(m_strTrash, 0, m_now), 0, view);
  EXPECT_TRUE(run(L"/bin/umount", {batch + L"/.src.mnt"}) || run(L"/bin/umount", {L"-l", batch + L"/.src.mnt"}));
  EXPECT_EQ(outcome.nErrors, 1);
  EXPECT_EQ(view.m_items, CStringArray{L" ERROR  Cannot delete " + batch + L": '" + batch +
                                       L"/.src.mnt' is on another file system"});
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(m_tmp / L"outside/keep.txt", bytes) && bytes == "k");
  EXPECT_FALSE(ExistsForTesting(batch + L"/_a.obj"));  // what was its own went
}

TEST_F(BatchPurge, OnlyBatchFoldersOlderThanTheLimitGoAndNoLinkIsFollowed) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"outside/keep.txt", "k"));
  const CString old = Trash(L"2026_11_05_02_34_49");  // 30 days and a second
  ASSERT_TRUE(WriteFileForTesting(old + L"/.src.Debug/sub/x.o", "x"));
  ASSERT_TRUE(WriteFileForTesting(Trash(L"2026_11_05_02_34_50/_a.obj"), "a"));  // 30 days exactly: stays
  ASSERT_TRUE(WriteFileForTesting(Trash(L"2026_09_01_00_00_00"), "a file"));     // not a folder
  ASSERT_TRUE(MakeFoldersForTesting(Trash(L"2026_02_30_00_00_00")));            // no such day
  ASSERT_TRUE(MakeFoldersForTesting(Trash(L"2020_01_01_00_00_00 old")));
  // Links inside an old batch and one with a batch name; under Wine, Unix
  // links in the prefix's drive are its reparse points.
  const bool fileLink = MakeLinkForTesting(m_tmp / L"outside/keep.txt", old + L"/.src.Debug/sub/file.lnk", false);
  const bool folderLink = MakeUnixLinkForTesting(m_tmp / L"outside", old + L"/.src.Debug/sub/folder.lnk");
  const bool batchNamedLink = MakeUnixLinkForTesting(m_tmp / L"outside", Trash(L"2019_01_01_00_00_00"));
  ASSERT_TRUE(PlatformSetFileAttributes(old + L"/.src.Debug/sub/x.o", FILE_ATTRIBUTE_READONLY));

  const std::vector<CBatchFolder> chosen = SelectOldBatches(m_strTrash, 30, m_now);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0].strPath, old);
  CJobView view;
  const CBatchJobOutcome outcome = RunPurge(m_strTrash, chosen, 30, view);
  EXPECT_EQ(outcome.nEnd, CCleanupOutcome::kCompleted);
  // Under Wine a link cannot go as itself: it stays, and so does its batch.
  const bool deleted = PlatformDeletesLinksAsThemselves() || !(fileLink || folderLink);
  EXPECT_EQ(outcome.nDone, deleted ? 1 : 0);
  ASSERT_EQ(view.m_items.size(), 1u);
  if (deleted) {
    EXPECT_EQ(view.m_items[0], L" OK  Deleted " + old);
  } else {  // the line names the link that stopped it
    EXPECT_EQ(view.m_items[0].find(L" ERROR  Cannot delete " + old + L": '" + old), 0u) << view.m_items[0];
    EXPECT_NE(view.m_items[0].find(L".lnk' is a link"), CString::npos) << view.m_items[0];
  }
  EXPECT_EQ(ExistsForTesting(old), !deleted);
  std::string bytes;
  EXPECT_TRUE(ReadFileForTesting(m_tmp / L"outside/keep.txt", bytes) && bytes == "k");
  for (const wchar_t* kept : {L"2026_11_05_02_34_50/_a.obj", L"2026_09_01_00_00_00", L"2026_02_30_00_00_00",
                              L"2020_01_01_00_00_00 old"})
    EXPECT_TRUE(ExistsForTesting(Trash(kept))) << kept;
  if (batchNamedLink) {
    EXPECT_TRUE(ExistsForTesting(Trash(L"2019_01_01_00_00_00")));
  }
  if (!fileLink && !folderLink) GTEST_SKIP() << "no links here: the links inside a batch folder were not tried";
}
