// CBatchesDlgWindow: the Batches window as a real modal window made from
// template 131 over the main dialog. Its list is a list-view control driven
// through the toolkit's CListCtrl and helpers; its buttons go to CBatchesDlg
// (the logic), whose restore and purge run in the main dialog. While one
// runs, this window's controls are off and the main dialog, enabled again,
// takes Stop alone. Win32 only.
#pragma once

#include <windows.h>

#include <vector>

#include "app/dialog/batches_dlg.h"
#include "winui/list_controls.h"

class CBatchesDlgWindow : public CBatchesView {
 public:
  // REQUIRES: main outlives the window.
  explicit CBatchesDlgWindow(CVelmoraDlg& main);
  CBatchesDlgWindow(const CBatchesDlgWindow&) = delete;
  CBatchesDlgWindow& operator=(const CBatchesDlgWindow&) = delete;

  // Runs the window modally over hOwner; returns IDCANCEL when closed, -1
  // when the window cannot be made.
  INT_PTR DoModal(HWND hOwner);

  void SetRows(const std::vector<CStringArray>& rows) override;
  std::vector<int> GetSelectedRows() override;
  void SetJobRunning(bool running) override;
  int MessageBox(const CString& text, const CString& caption, unsigned type) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND hWnd);
  void OnCommand(int id);

  HWND m_hWnd = nullptr;
  HWND m_hOwner = nullptr;
  CListCtrl m_list;
  CBatchesDlg m_dlg;
  bool m_bJobRunning = false;
};
