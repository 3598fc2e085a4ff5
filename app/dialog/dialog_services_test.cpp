#include "app/dialog/dialog_services.h"

#include <gtest/gtest.h>

#include "app/engine/trash_folder.h"
#include "platform/sys/process.h"
#include "testing/scoped_process_state.h"
#include "testing/test_files.h"

TEST(VelmoraServices, FolderTestAndTrashFolderFailureWithoutAnException) {
  CScopedProcessState state;
  CScopedTempFolder tmp;
  ASSERT_TRUE(tmp.IsValid());
  ASSERT_TRUE(WriteFileForTesting(tmp / L"src/file.txt"));
  CVelmoraServices services;
  EXPECT_TRUE(services.IsFolder(tmp / L"src"));
  EXPECT_FALSE(services.IsFolder(tmp / L"src/file.txt"));
  EXPECT_FALSE(services.IsFolder(tmp / L"missing"));

  CString error;
  if (PlatformPathSeparator() == L'\\') {
    // A network path has no drive letter for its trash folder.
    EXPECT_FALSE(services.MakeTrashFolder(L"\\\\server\\share\\src", error));
    EXPECT_EQ(error, L"Cannot create folder \\:\\Trush");
  } else {
    // A file stands where the trash folder of the home volume would go.
    CScopedEnvironment home(L"HOME", tmp.Path());
    ASSERT_TRUE(WriteFileForTesting(tmp / L"Trush"));
    EXPECT_FALSE(services.MakeTrashFolder(tmp / L"src", error));
    EXPECT_EQ(error, L"Cannot create folder " + (tmp / L"Trush"));
  }
  EXPECT_EQ(services.GetTrashFolder(), g_strTrash);
}
