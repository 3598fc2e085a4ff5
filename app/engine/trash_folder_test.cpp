#include "app/engine/trash_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/engine/walk.h"
#include "platform/sys/clock.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

// The text of the CActException that fn throws, or "<none>".
template <typename Fn>
CString ThrownText(Fn fn) {
  try {
    fn();
  } catch (CActException* e) {
    const CString text = e->m_strError;
    delete e;
    return text;
  }
  return L"<none>";
}

class TrashFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_tmp.IsValid()); }
  CString m_strFirstTrash = g_strTrash;  // before any test changed it
  CScopedProcessState m_state;
  CScopedTempFolder m_tmp;
};

}  // namespace

TEST_F(TrashFolder, CreateFolderMakesOneLevelOrThrowsWithThePath) {
  EXPECT_EQ(ThrownText([&] { CreateFolder(m_tmp / L"one"); }), L"<none>");
  EXPECT_EQ(ThrownText([&] { CreateFolder(m_tmp / L"one"); }), L"<none>");  // already there
  EXPECT_TRUE(ExistsForTesting(m_tmp / L"one"));
  const CString deep = m_tmp / L"two/three";
  EXPECT_EQ(ThrownText([&] { CreateFolder(deep); }), L"Cannot create folder " + deep);
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"file"));
  EXPECT_EQ(ThrownText([&] { CreateFolder(m_tmp / L"file"); }), L"Cannot create folder " + (m_tmp / L"file"));
}

TEST_F(TrashFolder, BatchFolderIsNamedAfterTheLocalSecond) {
  const CLocalTime t{2026, 12, 5, 2, 4, 9};
  m_state.PinClock(t);
  g_strTrash = m_tmp / L"Trush";
  CreateFolder(g_strTrash);
  MakeBatchFolder();
  EXPECT_EQ(GetBatchFolder(), (m_tmp / L"Trush") + PlatformPathSeparator() + L"2026_12_05_02_04_09");
  EXPECT_TRUE(ExistsForTesting(GetBatchFolder()));

  // Runs in the same second (the clock stands still) never share a batch
  // folder: each waits for the next second, across the end of a month, a
  // leap day, a century or a year too. The name reads back as that second.
  const struct {
    CLocalTime second;
    CString next;
  } taken[] = {{t, L"2026_12_05_02_04_10"},
               {{2026, 1, 30, 23, 59, 59}, L"2026_01_31_00_00_00"}, {{2026, 1, 31, 23, 59, 59}, L"2026_02_01_00_00_00"},
               {{2000, 2, 28, 23, 59, 59}, L"2000_02_29_00_00_00"}, {{2000, 2, 29, 23, 59, 59}, L"2000_03_01_00_00_00"},
               {{2100, 2, 28, 23, 59, 59}, L"2100_03_01_00_00_00"}, {{2026, 12, 31, 23, 59, 59}, L"2027_01_01_00_00_00"}};
  for (const auto& c : taken) {
    m_state.PinClock(c.second);
    ASSERT_TRUE(MakeFoldersForTesting(g_strTrash + PlatformPathSeparator() + FormatBatchFolderName(c.second)));
    EXPECT_EQ(ThrownText([] { MakeBatchFolder(); }), L"<none>");
    EXPECT_EQ(GetBatchFolder(), g_strTrash + PlatformPathSeparator() + c.next);
    CLocalTime parsed;
    EXPECT_TRUE(ParseBatchFolderName(c.next, parsed) && SecondsBetween(c.second, parsed) == 1 &&
                !ParseBatchFolderName(c.next.substr(0, 18) + L"x", parsed)) << c.next;
  }

  // The batch folder of a running run cannot be locked for deletion; once
  // the run has ended it can.
  CFolderHandle trash, batch;
  ASSERT_TRUE(PlatformOpenFolder(nullptr, m_tmp / L"Trush", false, trash));
  ASSERT_TRUE(PlatformOpenFolder(&trash, L"2027_01_01_00_00_00", false, batch));
  EXPECT_EQ(PlatformLockFolder(batch, true), CFolderResult::kTaken);
  CloseBatchFolder();
  EXPECT_EQ(PlatformLockFolder(batch, true), CFolderResult::kDone);
  batch.Close();
  ASSERT_TRUE(PlatformOpenFolder(&trash, L"2026_12_05_02_04_09", false, batch));  // ended by the next run
  EXPECT_EQ(PlatformLockFolder(batch, true), CFolderResult::kDone);
  batch.Close();
  m_state.PinClock(t);

  // No trash folder: the batch folder cannot be made, and the path is kept.
  g_strTrash = m_tmp / L"missing";
  const CString thrown = ThrownText([] { MakeBatchFolder(); });
  EXPECT_EQ(thrown, L"Cannot create folder " + GetBatchFolder());
  EXPECT_EQ(GetBatchFolder(), (m_tmp / L"missing") + PlatformPathSeparator() + L"2026_12_05_02_04_09");
}

TEST_F(TrashFolder, WindowsTrashFolderIsTrushAtTheDriveLetter) {
  if (PlatformPathSeparator() != L'\\') GTEST_SKIP() << "drive letters exist on Windows only";
  EXPECT_EQ(m_strFirstTrash, L"C:\\Trush");
  EXPECT_EQ(TrashFolderOf(L"D:\\work\\src"), L"D:\\Trush");
  // A network path has no drive letter: its trash folder cannot exist.
  EXPECT_EQ(ThrownText([] { MakeTrashFolder(L"\\\\server\\share\\src"); }), L"Cannot create folder \\:\\Trush");
  EXPECT_EQ(GetTrashFolder(), L"\\:\\Trush");
}

TEST_F(TrashFolder, PosixTrashFolderIsTrushAtTheSourceVolume) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "volume roots stand in for drives on POSIX only";
  EXPECT_EQ(m_strFirstTrash, L"/Trush");
  CScopedEnvironment home(L"HOME", m_tmp.Path());
  ASSERT_TRUE(MakeFoldersForTesting(m_tmp / L"work/src"));
  EXPECT_EQ(ThrownText([&] { MakeTrashFolder(m_tmp / L"work/src"); }), L"<none>");
  EXPECT_EQ(GetTrashFolder(), m_tmp / L"Trush");
  EXPECT_TRUE(ExistsForTesting(m_tmp / L"Trush"));
}

TEST_F(TrashFolder, OnlyAPrivateFolderOfTheUserServesAsTrashOrBatchFolder) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "owners and modes are POSIX rules";
  namespace fs = std::filesystem;
  const CString trash = m_tmp / L"Trush";
  EXPECT_EQ(ThrownText([&] { CreateFolder(trash); }), L"<none>");
  EXPECT_EQ(fs::status(trash).permissions(), fs::perms::owner_all);
  // The user's own group may write (a 002 umask); others may not.
  fs::permissions(trash, fs::perms::owner_all | fs::perms::group_all);
  EXPECT_EQ(ThrownText([&] { CreateFolder(trash); }), L"<none>");
  fs::permissions(trash, fs::perms::all);
  EXPECT_EQ(ThrownText([&] { CreateFolder(trash); }), L"Cannot create folder " + trash);
  fs::permissions(trash, fs::perms::owner_all);

  // Another user's batch folder of the coming second, made in advance,
  m_state.PinClock(CLocalTime{2026, 12, 5, 2, 4, 9});
  g_strTrash = trash;
  const CString batch = trash + L"/2026_12_05_02_04_09";
  ASSERT_TRUE(MakeFoldersForTesting(batch));
  if (!GiveAwayForTesting(batch)) GTEST_SKIP() << "only root can give a folder to another user here";
  // is passed over: the run makes the next second's, its own.
  EXPECT_EQ(ThrownText([] { MakeBatchFolder(); }), L"<none>");
  EXPECT_EQ(GetBatchFolder(), trash + L"/2026_12_05_02_04_10");
}

TEST_F(TrashFolder, ALinkIsNoTrashFolderEvenToAFolderOfOnesOwn) {
  // The batch would land wherever the link points.
  const CString trash = m_tmp / L"Trush";
  ASSERT_TRUE(MakeFoldersForTesting(m_tmp / L"elsewhere"));
  if (!MakeLinkForTesting(m_tmp / L"elsewhere", trash, true) && !MakeUnixLinkForTesting(m_tmp / L"elsewhere", trash))
    GTEST_SKIP() << "no symbolic links here, and Wine makes no junctions";
  EXPECT_EQ(ThrownText([&] { CreateFolder(trash); }), L"Cannot create folder " + trash);
  g_strTrash = trash;
  m_state.PinClock(CLocalTime{2026, 12, 5, 2, 4, 9});
  const CString thrown = ThrownText([] { MakeBatchFolder(); });
  EXPECT_EQ(thrown, L"Cannot create folder " + GetBatchFolder());
  EXPECT_FALSE(ExistsForTesting(m_tmp / L"elsewhere/2026_12_05_02_04_09"));
}

TEST_F(TrashFolder, ASourceInsideTheTrashIsFoundHoweverSpelled) {
  const CString trash = m_tmp / L"Trush";
  const CString sep(1, PlatformPathSeparator());
  ASSERT_TRUE(MakeFoldersForTesting(trash + sep + L"2026_12_05_02_04_09" + sep + L"old"));
  ASSERT_TRUE(MakeFoldersForTesting(m_tmp / L"src"));
  EXPECT_TRUE(IsInsideFolder(trash, trash));
  EXPECT_TRUE(IsInsideFolder(trash + sep + L"2026_12_05_02_04_09" + sep + L"old", trash));
  EXPECT_TRUE(IsInsideFolder((m_tmp / L"src") + sep + L".." + sep + L"Trush", trash));
  EXPECT_FALSE(IsInsideFolder(m_tmp / L"src", trash));
  EXPECT_FALSE(IsInsideFolder(m_tmp.Path(), trash));
  // A link to a batch folder leads inside, though its text does not.
  if (!MakeLinkForTesting(trash + sep + L"2026_12_05_02_04_09", m_tmp / L"src/batch", true))
    GTEST_SKIP() << "no symbolic links here";
  EXPECT_TRUE(IsInsideFolder(m_tmp / L"src/batch", trash));
}
