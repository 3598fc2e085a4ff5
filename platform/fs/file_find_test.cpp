#include "platform/fs/file_find.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/sys/process.h"
#include "testing/test_files.h"

namespace {

struct CSeen {
  CString path;
  bool bDots = false;
  bool bFolder = false;
  bool bLink = false;
  uint64_t nLength = 0;
};

// Every entry of the folder by name, and how many FindNextFile calls said
// that more entries follow.
std::map<CString, CSeen> ListAll(const CString& folder, int* moreCount = nullptr) {
  std::map<CString, CSeen> seen;
  CFileFind find;
  if (!find.FindFile(folder + PlatformPathSeparator() + L"*.*")) return seen;
  int more = 0;
  for (bool next = true; next;) {
    next = find.FindNextFile();
    if (next) ++more;
    CSeen& s = seen[find.GetFileName()];
    s.path = find.GetFilePath();
    s.bDots = find.IsDots();
    s.bFolder = find.IsDirectory();
    s.bLink = find.IsReparsePoint();
    s.nLength = s.bFolder ? 0 : find.GetLength();
  }
  if (moreCount) *moreCount = more;
  return seen;
}

}  // namespace

TEST(FileFind, ListsEveryEntryOfAFolderOnceWithItsKindPathAndSize) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(tmp.IsValid());
  ASSERT_TRUE(WriteFileForTesting(tmp / L"a.obj", "12345"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"sub/inner.txt", "x"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"noext", ""));

  int more = 0;
  const auto seen = ListAll(tmp.Path(), &more);
  std::map<CString, CSeen> real;
  for (const auto& [name, s] : seen)
    if (!s.bDots) real[name] = s;
  ASSERT_EQ(real.size(), 3u);
  // "more" is true for every entry but the last one.
  EXPECT_EQ(more, static_cast<int>(seen.size()) - 1);

  const CString sep(1, PlatformPathSeparator());
  EXPECT_EQ(real[L"a.obj"].path, tmp.Path() + sep + L"a.obj");
  EXPECT_FALSE(real[L"a.obj"].bFolder);
  EXPECT_EQ(real[L"a.obj"].nLength, 5u);
  EXPECT_TRUE(real[L"sub"].bFolder);
  EXPECT_FALSE(real[L"sub"].bLink);
  EXPECT_EQ(real[L"noext"].nLength, 0u);
  EXPECT_FALSE(real[L"noext"].bFolder);

  // A missing folder or a file cannot be listed.
  CFileFind find;
  EXPECT_FALSE(find.FindFile((tmp / L"missing") + PlatformPathSeparator() + L"*.*"));
  EXPECT_FALSE(find.FindFile((tmp / L"a.obj") + PlatformPathSeparator() + L"*.*"));
  // A second FindFile on the same object starts afresh.
  EXPECT_TRUE(find.FindFile(tmp.Path() + PlatformPathSeparator() + L"*.*"));
}

TEST(FileFind, LinksAreReparsePointsAndAFolderLinkIsAFolder) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"target"));
  ASSERT_TRUE(WriteFileForTesting(tmp / L"target/f.txt", "x"));
  if (!MakeLinkForTesting(tmp / L"target", tmp / L"dirlink", true)) GTEST_SKIP() << "no symbolic links here";
  ASSERT_TRUE(MakeLinkForTesting(tmp / L"target/f.txt", tmp / L"filelink.obj", false));

  auto seen = ListAll(tmp.Path());
  EXPECT_TRUE(seen[L"dirlink"].bLink);
  EXPECT_TRUE(seen[L"dirlink"].bFolder);
  EXPECT_TRUE(seen[L"filelink.obj"].bLink);
  EXPECT_FALSE(seen[L"filelink.obj"].bFolder);
  EXPECT_TRUE(seen[L"target"].bFolder);
  EXPECT_FALSE(seen[L"target"].bLink);
}
