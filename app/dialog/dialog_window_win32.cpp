#include "app/dialog/dialog_window_win32.h"

#include <commctrl.h>

#include "app/res/resource.h"

namespace {

int SystemMessageBox(HWND owner, const CString& text, const CString& caption, unsigned type) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

}  // namespace

DialogMessageBoxFunction g_pfnDialogMessageBox = &SystemMessageBox;

void CDialogWindowView::Attach(HWND hWnd) { m_hWnd = hWnd; }

bool CDialogWindowView::HasItem(int id) const { return ::GetDlgItem(m_hWnd, id) != nullptr; }

CString CDialogWindowView::GetItemText(int id) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item == nullptr) return CString();
  CString text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
  return text;
}

size_t CDialogWindowView::GetItemTextLength(int id) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  return item == nullptr ? 0 : static_cast<size_t>(::GetWindowTextLengthW(item));
}

void CDialogWindowView::SetItemText(int id, const CString& text) { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }

void CDialogWindowView::AppendItemText(int id, const CString& text) {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item == nullptr) return;
  // A replaced selection is cut at the typing limit (about 30,000
  // characters by default); what the program adds is not.
  ::SendMessageW(item, EM_SETLIMITTEXT, 0, 0);
  const WPARAM end = static_cast<WPARAM>(::GetWindowTextLengthW(item));
  ::SendMessageW(item, EM_SETSEL, end, static_cast<LPARAM>(end));
  // Replacing the selection scrolls the caret, now at the end, into view.
  ::SendMessageW(item, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CDialogWindowView::IsItemEnabled(int id) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  return item != nullptr && ::IsWindowEnabled(item) != FALSE;
}

void CDialogWindowView::EnableItem(int id, bool enable) {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item != nullptr) ::EnableWindow(item, enable ? TRUE : FALSE);
}

void CDialogWindowView::FocusItem(int id) {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item != nullptr) ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void CDialogWindowView::UpdateNow() { ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void CDialogWindowView::SetProgressRange(int low, int high) {
  ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void CDialogWindowView::SetProgressPos(int pos) {
  ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

int CDialogWindowView::MessageBox(const CString& text, const CString& caption, unsigned type) {
  return g_pfnDialogMessageBox(m_hWnd, text, caption, type);
}
