#include "platform/sys/console.h"

#include <gtest/gtest.h>

#include "platform/sys/process.h"
#include "testing/test_files.h"

TEST(Console, FullPathFromArgumentJoinsTheCurrentDirectoryAndDropsTrailingSeparators) {
  const wchar_t sep = PlatformPathSeparator();
  const CString cwd = GetProcessCurrentDirectory(4096);
  EXPECT_EQ(FullPathFromArgument(CString()), L"");
  EXPECT_EQ(FullPathFromArgument(L"no_such_folder"), cwd + sep + L"no_such_folder");

  CScopedTempFolder tmp;
  ASSERT_TRUE(tmp.IsValid());
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"a/b"));
  EXPECT_EQ(FullPathFromArgument(tmp.Path() + sep + sep), tmp.Path());
  EXPECT_EQ(FullPathFromArgument(tmp / L"a/./b/.."), tmp / L"a");
  // A root keeps its separator: it is the whole path.
  const CString root = sep == L'/' ? CString(L"/") : cwd.substr(0, 3);
  EXPECT_EQ(FullPathFromArgument(root), root);

  // POSIX: an existing path is resolved through its links.
  if (sep == L'/' && MakeLinkForTesting(tmp / L"a", tmp / L"link", true)) {
    EXPECT_EQ(FullPathFromArgument(tmp / L"link/b/"), tmp / L"a/b");
  }
}
