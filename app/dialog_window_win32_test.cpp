// The view over a real dialog made from the main dialog's template (needs a
// display: the Windows tests run inside a virtual X display).
#include "app/dialog_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/res/resource.h"
#include "platform/common_controls.h"

namespace {

INT_PTR CALLBACK NoHandlers(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogWindowViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControlClasses(0xFF);
    m_hWnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VELMORA_DIALOG), nullptr,
                                  &NoHandlers, 0);
    ASSERT_NE(m_hWnd, nullptr) << "no dialog window: " << ::GetLastError();
    m_view.Attach(m_hWnd);
  }
  void TearDown() override {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    g_pfnDialogMessageBox = s_original;
  }

  HWND m_hWnd = nullptr;
  CDialogWindowView m_view;
  static DialogMessageBoxFunction s_original;
};
DialogMessageBoxFunction DialogWindowViewTest::s_original = g_pfnDialogMessageBox;

}  // namespace

TEST_F(DialogWindowViewTest, TextsEnablingAndFocusReachTheControls) {
  EXPECT_TRUE(m_view.HasItem(IDC_LOG));
  EXPECT_FALSE(m_view.HasItem(4242));
  EXPECT_EQ(m_view.GetItemText(IDC_STATUS), L"Static");
  const CString pane = L"== Move Files with extension 'obj'\r\n OK  From C:\\a.obj ==> C:\\Trush\\x\\_a.obj\r\n";
  m_view.SetItemText(IDC_LOG, pane);
  EXPECT_EQ(m_view.GetItemText(IDC_LOG), pane);
  EXPECT_EQ(m_view.GetItemText(4242), L"");

  m_view.EnableItem(IDC_STOP, false);
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(m_hWnd, IDC_STOP)));
  m_view.EnableItem(IDC_STOP, true);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(m_hWnd, IDC_STOP)));

  ::ShowWindow(m_hWnd, SW_SHOW);
  ::SetForegroundWindow(m_hWnd);
  m_view.FocusItem(IDC_EXTENSION);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(m_hWnd, IDC_EXTENSION));
}

TEST_F(DialogWindowViewTest, ProgressAdvancesOneStepPerItemAndMessageBoxesAreReplaceable) {
  m_view.SetProgressRange(0, 3);
  m_view.StepProgress();
  m_view.StepProgress();
  EXPECT_EQ(::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_GETPOS, 0, 0), 2);
  m_view.SetProgressPos(0);
  EXPECT_EQ(::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_GETPOS, 0, 0), 0);

  static CString s_asked;
  g_pfnDialogMessageBox = [](HWND, const CString& text, const CString& caption, unsigned type) {
    s_asked = caption + L"|" + text;
    return type == (MB_YESNOCANCEL | MB_ICONQUESTION) ? IDYES : IDOK;
  };
  EXPECT_EQ(m_view.MessageBox(L"Sure?", L"Confirmation", kMbYesNoCancel | kMbIconQuestion), kIdYes);
  EXPECT_EQ(s_asked, L"Confirmation|Sure?");
}
