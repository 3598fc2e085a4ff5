#include "app/engine/trash_folder.h"

#include <gtest/gtest.h>

#include "app/engine/walk.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/testing/scoped_process_state.h"
#include "platform/testing/test_files.h"

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
  CLocalTime t;
  t.nYear = 2026, t.nMonth = 12, t.nDay = 5, t.nHour = 2, t.nMinute = 4, t.nSecond = 9;
  m_state.PinClock(t);
  g_strTrash = m_tmp / L"Trush";
  CreateFolder(g_strTrash);
  MakeBatchFolder();
  EXPECT_EQ(GetBatchFolder(), (m_tmp / L"Trush") + PlatformPathSeparator() + L"2026_12_05_02_04_09");
  EXPECT_TRUE(ExistsForTesting(GetBatchFolder()));
  // A second run in the same second shares the folder.
  EXPECT_EQ(ThrownText([] { MakeBatchFolder(); }), L"<none>");

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
