#include "app/dialog/batches_dlg_win32.h"

#include <commctrl.h>

#include "app/dialog/dialog_window_win32.h"
#include "winui/control_helpers.h"

namespace {

struct CColumn {
  const wchar_t* szTitle;
  int nWidth;  // in dialog units
  int nFormat;
};
const CColumn kColumns[] = {{L"Batch", 94, LVCFMT_LEFT},
                            {L"Date and time", 76, LVCFMT_LEFT},
                            {L"Items", 32, LVCFMT_RIGHT},
                            {L"Size", 48, LVCFMT_RIGHT},
                            {L"Restorable", 46, LVCFMT_RIGHT}};
const int kButtons[] = {IDC_BATCHES_LIST, IDC_BATCHES_RESTORE, IDC_BATCHES_OPEN, IDC_BATCHES_PURGE, IDCANCEL};

HINSTANCE GetResourceModule() { return ::GetModuleHandleW(nullptr); }

}  // namespace

CBatchesDlgWindow::CBatchesDlgWindow(CVelmoraDlg& main) : m_dlg(*this, main) {}

INT_PTR CBatchesDlgWindow::DoModal(HWND hOwner) {
  m_hOwner = hOwner;
  return ::DialogBoxParamW(GetResourceModule(), MAKEINTRESOURCEW(IDD_BATCHES), hOwner, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CBatchesDlgWindow::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    reinterpret_cast<CBatchesDlgWindow*>(lParam)->OnInitDialog(hWnd);
    return TRUE;
  }
  auto* self = reinterpret_cast<CBatchesDlgWindow*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    self->m_list.m_hWnd = nullptr;
    self->m_hWnd = nullptr;
    return FALSE;
  }
  // Clicks, menu items and accelerators; a control's notifications are no commands.
  if (message != WM_COMMAND || HIWORD(wParam) > 1) return FALSE;
  self->OnCommand(LOWORD(wParam));
  return TRUE;
}

void CBatchesDlgWindow::OnInitDialog(HWND hWnd) {
  m_hWnd = hWnd;
  HWND list = ::GetDlgItem(hWnd, IDC_BATCHES_LIST);
  m_list.m_hWnd = list;
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); ++i) {
    RECT width{0, 0, kColumns[i].nWidth, 0};
    ::MapDialogRect(hWnd, &width);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = kColumns[i].nFormat;
    column.cx = width.right;
    column.pszText = const_cast<wchar_t*>(kColumns[i].szTitle);
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  m_dlg.OnInitDialog();
}

void CBatchesDlgWindow::OnCommand(int id) {
  if (id == IDCANCEL) {
    // The close box and Escape wait, like the Close button, for the job.
    if (!m_bJobRunning) ::EndDialog(m_hWnd, IDCANCEL);
    return;
  }
  if (!m_bJobRunning) m_dlg.OnCommand(id);
}

void CBatchesDlgWindow::SetRows(const std::vector<CStringArray>& rows) {
  while (m_list.GetItemCount() > 0) m_list.DeleteItem(0);
  for (const CStringArray& row : rows) {
    const int index = m_list.InsertItem(m_list.GetItemCount(), row.empty() ? CString() : row[0]);
    for (size_t column = 1; index >= 0 && column < row.size(); ++column)
      m_list.SetItemText(index, static_cast<int>(column), row[column]);
  }
}

std::vector<int> CBatchesDlgWindow::GetSelectedRows() {
  std::vector<int> rows;
  for (int row = GetFirstSelectedItem(m_list); row >= 0; row = m_list.GetNextItem(row, kNextSelected))
    rows.push_back(row);
  return rows;
}

void CBatchesDlgWindow::SetJobRunning(bool running) {
  m_bJobRunning = running;
  for (const int id : kButtons) ::EnableWindow(::GetDlgItem(m_hWnd, id), running ? FALSE : TRUE);
  // The modal loop keeps the main dialog off; Stop must be within reach.
  ::EnableWindow(m_hOwner, running ? TRUE : FALSE);
}

int CBatchesDlgWindow::MessageBox(const CString& text, const CString& caption, unsigned type) {
  return g_pfnDialogMessageBox(m_hWnd, text, caption, type);
}
