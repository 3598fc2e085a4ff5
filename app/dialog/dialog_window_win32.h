// CDialogWindowView: CDialogView over a real dialog window. Win32 only.
#pragma once

#include <windows.h>

#include "app/dialog/dialog_view.h"

// Every message box of a dialog goes through this function: ::MessageBoxW
// unless a test puts its own in place to answer Yes or No.
using DialogMessageBoxFunction = int (*)(HWND owner, const CString& text, const CString& caption, unsigned type);
extern DialogMessageBoxFunction g_pfnDialogMessageBox;

class CDialogWindowView : public CDialogView {
 public:
  // Binds the view to the dialog window once it exists (WM_INITDIALOG).
  void Attach(HWND hWnd);
  HWND GetSafeHwnd() const { return m_hWnd; }

  bool HasItem(int id) const override;
  CString GetItemText(int id) const override;
  size_t GetItemTextLength(int id) const override;
  void SetItemText(int id, const CString& text) override;
  void AppendItemText(int id, const CString& text) override;
  bool IsItemEnabled(int id) const override;
  void EnableItem(int id, bool enable) override;
  void FocusItem(int id) override;
  void UpdateNow() override;
  void SetProgressRange(int low, int high) override;
  void SetProgressPos(int pos) override;
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;

 private:
  HWND m_hWnd = nullptr;
};
