#include "winui/folder_dialog.h"

#include <gtest/gtest.h>

TEST(FolderDialog, InitialFolderLosesOneTrailingSeparator) {
  EXPECT_EQ(CDirDialog(L"t", L"C:\\Work\\", nullptr, L"").m_strInitial, L"C:\\Work");
  EXPECT_EQ(CDirDialog(L"t", L"/home/u/Work/", nullptr, L"").m_strInitial, L"/home/u/Work");
  EXPECT_EQ(CDirDialog(L"t", L"a\\\\", nullptr, L"").m_strInitial, L"a\\");
  EXPECT_EQ(CDirDialog(L"t", L"a", nullptr, L"").m_strInitial, L"a");
  EXPECT_EQ(CDirDialog(L"t", L"", nullptr, L"").m_strInitial, L"");
}

TEST(FolderDialog, PickerCommandLinePreselectsTheInitialFolderOnlyWhenThereIsOne) {
  const CDirDialog dialog(L"Root Folder", L"/home/u/my work/", nullptr, L"");
  EXPECT_EQ(dialog.GetPickerCommandLine(),
            (CStringArray{L"zenity", L"--file-selection", L"--directory", L"--title=Root Folder",
                          L"--filename=/home/u/my work"}));

  const CDirDialog noInitial(L"", L"", nullptr, L"");
  EXPECT_EQ(noInitial.GetPickerCommandLine(),
            (CStringArray{L"zenity", L"--file-selection", L"--directory", L"--title="}));
}
