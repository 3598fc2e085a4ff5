#include "app/engine/walk.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/engine/actions.h"
#include "app/engine/trash_folder.h"
#include "platform/file_find.h"
#include "platform/process.h"
#include "platform/testing/scoped_process_state.h"
#include "platform/testing/test_files.h"

namespace {

// Records every offered entry (relative to the root, with "/" between
// levels) and consumes the names in m_consume.
class CRecorder : public CFileAction {
 public:
  CRecorder(const CString& root, const CString& consume = CString(), CDiskInterface& disk = RealDisk())
      : CFileAction(consume, nullptr, disk), m_root(root) {}
  bool OnFound(CFileFind& entry) override {
    CString rel = entry.GetFilePath().substr(m_root.size() + 1);
    ReplaceAll(rel, L"\\", L"/");
    m_seen.push_back(rel);
    if (m_onFound) m_onFound(entry);
    for (const CString& name : m_arrList)
      if (entry.GetFileName() == name) return true;
    return false;
  }
  bool Saw(const CString& rel) const {
    for (const CString& s : m_seen)
      if (s == rel) return true;
    return false;
  }
  int IndexOf(const CString& rel) const {
    for (size_t i = 0; i < m_seen.size(); ++i)
      if (m_seen[i] == rel) return static_cast<int>(i);
    return -1;
  }
  CString m_root;
  CStringArray m_seen;
  std::function<void(CFileFind&)> m_onFound;
};

class Walk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    g_strTrash = m_tmp / L"Trush";
    g_strBatch = m_tmp / L"Trush/2026_01_01_00_00_00";
  }
  CScopedProcessState m_state;
  CScopedTempFolder m_tmp;
};

}  // namespace

TEST_F(Walk, PreOrderDepthFirstAndConsumedFoldersAreNotEntered) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/a/b/c.txt"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/a/d.txt"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/Debug/inner/x.obj"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/top.txt"));

  CRecorder all(m_tmp / L"src");
  WalkFolder(m_tmp / L"src", all);
  EXPECT_EQ(all.m_seen.size(), 8u);  // no "." or ".." among them
  EXPECT_LT(all.IndexOf(L"a"), all.IndexOf(L"a/b"));
  EXPECT_LT(all.IndexOf(L"a/b"), all.IndexOf(L"a/b/c.txt"));
  // A folder's whole content comes right after it, before its next sibling.
  const int a = all.IndexOf(L"a");
  for (const wchar_t* inside : {L"a/b", L"a/b/c.txt", L"a/d.txt"}) {
    EXPECT_GT(all.IndexOf(inside), a);
    EXPECT_LE(all.IndexOf(inside), a + 3);
  }

  CRecorder consuming(m_tmp / L"src", L"Debug");
  WalkFolder(m_tmp / L"src", consuming);
  EXPECT_TRUE(consuming.Saw(L"Debug"));
  EXPECT_FALSE(consuming.Saw(L"Debug/inner"));
  EXPECT_EQ(consuming.m_seen.size(), 6u);
}

TEST_F(Walk, CancelFlagIsClearedOnEntryAndThrowsAtTheNextEntry) {
  for (const wchar_t* name : {L"src/1.txt", L"src/2.txt", L"src/3.txt"})
    ASSERT_TRUE(WriteFileForTesting(m_tmp / name));
  // A flag left over from before the walk is cleared, not acted on.
  g_bCancel = true;
  CRecorder all(m_tmp / L"src");
  WalkFolder(m_tmp / L"src", all);
  EXPECT_EQ(all.m_seen.size(), 3u);

  CRecorder stopping(m_tmp / L"src");
  stopping.m_onFound = [](CFileFind&) { g_bCancel = true; };
  CActException* thrown = nullptr;
  try {
    WalkFolder(m_tmp / L"src", stopping);
  } catch (CActException* e) {
    thrown = e;
  }
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(thrown->m_strError, L"ERROR: Canceled by user request ");
  delete thrown;
  EXPECT_EQ(stopping.m_seen.size(), 1u);
}

TEST_F(Walk, FoldersThatCannotBeListedArePassedOverSilently) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/gone/x.txt"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/keep.txt"));
  CRecorder missing(m_tmp / L"src");
  WalkFolder(m_tmp / L"nowhere", missing);
  EXPECT_TRUE(missing.m_seen.empty());

  // The folder vanishes between being offered and being entered.
  CRecorder vanishing(m_tmp / L"src");
  vanishing.m_onFound = [](CFileFind& e) {
    if (e.GetFileName() == L"gone") RemoveTreeForTesting(e.GetFilePath());
  };
  WalkFolder(m_tmp / L"src", vanishing);
  EXPECT_TRUE(vanishing.Saw(L"keep.txt"));
  EXPECT_FALSE(vanishing.Saw(L"gone/x.txt"));

  // A folder the disk refuses to list, as one without read permission.
  struct CUnlistable : CDiskWrapper {
    explicit CUnlistable(const CString& folder) : CDiskWrapper(RealDisk()), m_strFolder(folder) {}
    bool ListSubfolder(const CFileFind& parent, CFileFind& find) override {
      return parent.GetFilePath() != m_strFolder && CDiskWrapper::ListSubfolder(parent, find);
    }
    CString m_strFolder;
  } disk(m_tmp / L"src/locked");
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/locked/y.txt"));
  CRecorder locked(m_tmp / L"src", CString(), disk);
  WalkFolder(m_tmp / L"src", locked);
  EXPECT_TRUE(locked.Saw(L"locked"));
  EXPECT_FALSE(locked.Saw(L"locked/y.txt"));
  EXPECT_TRUE(locked.Saw(L"keep.txt"));
}

TEST_F(Walk, NeverEntersTheTrashOrBatchFolderHoweverSpelled) {
  // The source is the volume root itself: the trash lies inside it.
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"Trush/2025_01_01_00_00_00/_old.obj"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/a.obj"));
  const CString sep(1, PlatformPathSeparator());
  CRecorder all(m_tmp.Path());
  WalkFolder(m_tmp.Path() + sep, all);  // a trailing separator changes the spelling
  EXPECT_FALSE(all.Saw(L"Trush"));
  EXPECT_FALSE(all.Saw(L"/Trush"));
  EXPECT_EQ(all.m_seen.size(), 2u);

  // The batch folder is left out too when the source is the trash folder.
  ASSERT_TRUE(WriteFileForTesting(g_strBatch + sep + L"_new.obj"));
  CRecorder inTrash(g_strTrash);
  WalkFolder(g_strTrash, inTrash);
  EXPECT_TRUE(inTrash.Saw(L"2025_01_01_00_00_00/_old.obj"));
  EXPECT_FALSE(inTrash.Saw(L"2026_01_01_00_00_00"));

  // A trash folder that is a link is left out as the link it is.
  if (!MakeLinkForTesting(m_tmp / L"elsewhere", m_tmp / L"src/Trush", true)) GTEST_SKIP() << "no symbolic links here";
  g_strTrash = m_tmp / L"src/Trush";
  CRecorder linked(m_tmp / L"src");
  WalkFolder(m_tmp / L"src", linked);
  EXPECT_EQ(linked.m_seen, CStringArray{L"a.obj"});
}
