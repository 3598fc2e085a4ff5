// CVelmoraDlgWindow: the main dialog as a real window made from template 102.
// Its dialog procedure binds the window to CVelmoraDlg (the logic) through a
// CDialogWindowView, routes commands to the message map, and adds what only
// a window has: the About and Batches items of the system menu, the icon,
// the preset menu at the cursor and the drop-down bitmap of its button.
// Win32 only.
#pragma once

#include <windows.h>

#include "app/dialog/dialog_window_win32.h"
#include "app/dialog/velmora_dlg.h"
#include "app/dialog/dialog_services.h"
#include "platform/sys/profile.h"
#include "platform/ui/window.h"

class CVelmoraDlgWindow {
 public:
  // Settings live in profile. pServices: the program's services when null;
  // otherwise not owned and must outlive the window.
  explicit CVelmoraDlgWindow(const CProfile& profile, CVelmoraDlgServices* pServices = nullptr);
  ~CVelmoraDlgWindow();
  CVelmoraDlgWindow(const CVelmoraDlgWindow&) = delete;
  CVelmoraDlgWindow& operator=(const CVelmoraDlgWindow&) = delete;

  // Runs the dialog modally; returns IDOK (Close), IDCANCEL (Escape or the
  // close box) or -1 when the window cannot be made.
  INT_PTR DoModal(HWND hParent = nullptr);

  // The dialog's window while it exists.
  HWND GetSafeHwnd() const { return static_cast<HWND>(m_wnd.m_hWnd); }
  // The logic behind the window, with the members it shows.
  const CVelmoraDlg& GetLogic() const { return m_dlg; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The About and Batches items of the system menu, and the close box.
  INT_PTR OnSysCommand(WPARAM command);
  void OnInitDialog(HWND hWnd);
  void OnCommand(int id);
  void OnPaintIconic();
  void ShowPresetMenu();
  // Ends the dialog, or, during a run, once the run has finished.
  void EndDialog(INT_PTR result);

  CDialogWindowView m_view;
  CWnd m_wnd;  // the dialog as the toolkit's parent window
  CVelmoraServices m_ownServices;
  CVelmoraDlgServices& m_services;
  CVelmoraDlg m_dlg;
  HICON m_hIcon;
  HBITMAP m_hbmMenu = nullptr;
  bool m_bEndPending = false;
  INT_PTR m_nEndResult = IDCANCEL;
};
