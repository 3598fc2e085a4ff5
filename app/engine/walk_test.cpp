#include "app/engine/walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/engine/actions.h"
#include "app/engine/trash_folder.h"
#include "platform/fs/file_find.h"
#include "platform/fs/folder_handle.h"
#include "platform/sys/process.h"
#include "testing/faulty_disk.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

namespace {

// The peak of the resident memory since it was last reset (kB), or -1.
int64_t PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, 6, "VmHWM:") == 0) return std::stoll(line.substr(6));
  return -1;
}

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
  bool Saw(const CString& rel) const { return IndexOf(rel) >= 0; }
  int IndexOf(const CString& rel) const {
    const auto it = std::find(m_seen.begin(), m_seen.end(), rel);
    return it == m_seen.end() ? -1 : static_cast<int>(it - m_seen.begin());
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
  for (const wchar_t* name : {L"src/1.txt", L"src/sub/2.txt", L"src/sub/3.txt"})
    ASSERT_TRUE(WriteFileForTesting(m_tmp / name));
  // A flag left over from before the walk, or set while a folder is offered,
  // is cleared (on entering the folder), not acted on.
  g_bCancel = true;
  CRecorder all(m_tmp / L"src");
  all.m_onFound = [](CFileFind& e) { g_bCancel = e.IsDirectory(); };
  WalkFolder(m_tmp / L"src", all);
  EXPECT_EQ(all.m_seen.size(), 4u);

  CRecorder stopping(m_tmp / L"src/sub");
  stopping.m_onFound = [](CFileFind&) { g_bCancel = true; };
  CActException* thrown = nullptr;
  try {
    WalkFolder(m_tmp / L"src/sub", stopping);
  } catch (CActException* e) {
    thrown = e;
  }
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(thrown->m_strError, L"ERROR: Canceled by user request ");
  delete thrown;
  EXPECT_EQ(stopping.m_seen.size(), 1u);
}

TEST_F(Walk, AFolderThatCannotBeListedIsSaidUnlessItWentAway) {
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/locked/y.txt"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/keep.txt"));
  // A source the disk refuses to list (list 1), or a folder inside it (list
  // 2), as one without read permission: each is a line, and the walk goes on
  // past the folder.
  const long denied = PlatformPathSeparator() == L'/' ? 13 : 5;  // EACCES, ERROR_ACCESS_DENIED
  for (const int refused : {1, 2}) {
    SCOPED_TRACE(refused);
    CFaultyDisk disk;
    disk.Fail(DiskCall::kList, refused, denied);
    CRecorder walker(m_tmp / L"src", CString(), disk);
    WalkFolder(m_tmp / L"src", walker);
    const CString folder = m_tmp / (refused == 1 ? L"src" : L"src/locked");
    EXPECT_EQ(walker.m_arrUnopened,
              CStringArray{L"== Cannot open folder '" + folder + L"': " + PlatformErrorText(denied)});
    EXPECT_EQ(walker.m_seen.size(), refused == 1 ? 0u : 2u);  // not locked/y.txt
    EXPECT_EQ(walker.Saw(L"keep.txt"), refused == 2);
  }

  // A source that is not there, or a folder that vanishes between being
  // offered and being entered: nothing of it stays in the tree, so nothing
  // is said.
  CRecorder missing(m_tmp / L"src");
  WalkFolder(m_tmp / L"nowhere", missing);
  EXPECT_TRUE(missing.m_seen.empty());
  EXPECT_TRUE(missing.m_arrUnopened.empty());
  CRecorder vanishing(m_tmp / L"src");
  vanishing.m_onFound = [](CFileFind& e) {
    if (e.GetFileName() == L"locked") RemoveTreeForTesting(e.GetFilePath());
  };
  WalkFolder(m_tmp / L"src", vanishing);
  EXPECT_TRUE(vanishing.Saw(L"keep.txt"));
  EXPECT_FALSE(vanishing.Saw(L"locked/y.txt"));
  EXPECT_TRUE(vanishing.m_arrUnopened.empty());
}

TEST_F(Walk, LeavesOutEveryTrashFolderAndTheItemsExcluded) {
  // A home inside the source holds the trash folder of its own sources
  // (POSIX); a "Trush" elsewhere is an ordinary folder.
  CScopedEnvironment home(L"HOME", m_tmp / L"src/home");
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/home/Trush/2025_01_01_00_00_00/_a.obj"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/home/a.obj"));  // beside it: an ordinary item
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/deep/Trush/b.obj"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/Velmora.log"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/velmora.ini"));
  std::filesystem::create_hard_link(m_tmp / L"src/Velmora.log", m_tmp / L"src/alias.log");
  g_strTrash = m_tmp / L"elsewhere/Trush";
  ExcludeFromWalks(m_tmp / L"src/Velmora.log");
  ExcludeFromWalks(m_tmp / L"src/later/Velmora.ini");  // made after the call
  ExcludeFromWalks(m_tmp / L"src/missing.txt");
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/later/Velmora.ini"));
  CRecorder all(m_tmp / L"src");
  WalkFolder(m_tmp / L"src", all);
  EXPECT_TRUE(all.Saw(L"home/a.obj"));
  EXPECT_EQ(all.Saw(L"home/Trush"), PlatformPathSeparator() == L'\\');  // Windows: only drive roots hold them
  EXPECT_TRUE(all.Saw(L"deep/Trush/b.obj"));
  EXPECT_FALSE(all.Saw(L"Velmora.log"));
  EXPECT_TRUE(all.Saw(L"velmora.ini"));  // the same name, another item
  EXPECT_TRUE(all.Saw(L"alias.log"));    // the same item, another name
  EXPECT_TRUE(all.Saw(L"later"));
  EXPECT_FALSE(all.Saw(L"later/Velmora.ini"));
  EXPECT_EQ(GetWalkExclusions().size(), 3u);
}

TEST_F(Walk, MemoryGrowsLinearlyWithTheDepth) {
  if (PlatformPathSeparator() != L'/') GTEST_SKIP() << "a Windows path ends at 32,767 characters";
  std::ifstream probe("/proc/self/status");
  if (!probe) GTEST_SKIP() << "no /proc to read the peak memory from";
  if (VELMORA_SANITIZED) GTEST_SKIP() << "AddressSanitizer holds freed memory in quarantine: a peak measures that";
  // 4,000 levels deep, and as many folders side by side: a walk that holds
  // each level's path (quadratic) needs some 60 MB more for the deep tree.
  const int kFolders = 4000;
  CFolderHandle level;
  ASSERT_TRUE(PlatformOpenFolder(nullptr, m_tmp.Path(), false, level));
  CFolderHandle deep;
  ASSERT_TRUE(PlatformOpenFolder(&level, L"deep", true, deep));
  for (int i = 0; i < kFolders; ++i) {
    CFolderHandle next;
    ASSERT_TRUE(PlatformOpenFolder(&deep, L"d", true, next));
    deep = std::move(next);
  }
  CFolderHandle flat;
  ASSERT_TRUE(PlatformOpenFolder(&level, L"flat", true, flat));
  for (int i = 0; i < kFolders; ++i) {
    CFolderHandle one;
    ASSERT_TRUE(PlatformOpenFolder(&flat, std::to_wstring(i), true, one));
  }
  // Counts the entries, keeping no path.
  struct CCounter : CFileAction {
    CCounter() : CFileAction(CString(), nullptr) {}
    bool OnFound(CFileFind&) override {
      ++m_nCount;
      return false;
    }
  };
  const auto peakOfWalk = [&](const CString& source, int32_t& seen) {
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    CCounter counter;
    WalkFolder(source, counter);
    seen = counter.m_nCount;
    return PeakKilobytes();
  };
  int32_t flatSeen = 0, deepSeen = 0;
  const int64_t flatPeak = peakOfWalk(m_tmp / L"flat", flatSeen);
  const int64_t deepPeak = peakOfWalk(m_tmp / L"deep", deepSeen);
  EXPECT_EQ(flatSeen, kFolders);
  EXPECT_EQ(deepSeen, kFolders);
  const int64_t kBytesPerLevel = 600;  // a folder handle and a little state
  EXPECT_LT(deepPeak - flatPeak, kFolders * kBytesPerLevel / 1024)
      << "deep " << deepPeak << " kB, flat " << flatPeak << " kB";
  CFolderHandle top;
  ASSERT_TRUE(PlatformOpenFolder(nullptr, m_tmp.Path(), false, top));
  CRemoveStop stop;
  EXPECT_TRUE(PlatformRemoveTree(top, L"deep", stop));  // deeper than a path may be long
}

TEST_F(Walk, NeverEntersTheTrashOrBatchFolderHoweverSpelled) {
  // The source is the volume root itself: the trash lies inside it.
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"Trush/2025_01_01_00_00_00/_old.obj"));
  ASSERT_TRUE(WriteFileForTesting(m_tmp / L"src/a.obj"));
  const CString sep(1, PlatformPathSeparator());
  CRecorder all(m_tmp.Path());
  WalkFolder(m_tmp.Path() + sep, all);  // a trailing separator changes the spelling
  // No trash, and one separator after the source, as after a drive root "E:\".
  EXPECT_EQ(all.m_seen, (CStringArray{L"src", L"src/a.obj"}));

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
