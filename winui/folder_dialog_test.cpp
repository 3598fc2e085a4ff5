#include "winui/folder_dialog.h"

#include <gtest/gtest.h>

TEST(FolderDialog, ConstructionKeepsTheFieldsAndStripsOneTrailingSeparator) {
  int window = 0;
  CWnd parent(&window);
  const CDirDialog dialog(L"Root Folder", L"C:\\Work\\", &parent, L"D:\\Root");
  EXPECT_EQ(dialog.m_strTitle, L"Root Folder");
  EXPECT_EQ(dialog.m_strInitial, L"C:\\Work");
  EXPECT_EQ(dialog.m_strRoot, L"D:\\Root");
  EXPECT_EQ(dialog.m_hwndParent, &window);
  EXPECT_EQ(dialog.m_pidlRoot, nullptr);
  EXPECT_EQ(dialog.m_nFlags, 0x8045u);

  EXPECT_EQ(CDirDialog(L"t", L"/home/u/Work/", nullptr, L"").m_strInitial, L"/home/u/Work");
  EXPECT_EQ(CDirDialog(L"t", L"a\\\\", nullptr, L"").m_strInitial, L"a\\");
  EXPECT_EQ(CDirDialog(L"t", L"a", nullptr, L"").m_strInitial, L"a");
  EXPECT_EQ(CDirDialog(L"t", L"", nullptr, L"").m_strInitial, L"");
  EXPECT_EQ(CDirDialog(L"t", L"", nullptr, L"").m_hwndParent, nullptr);
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
