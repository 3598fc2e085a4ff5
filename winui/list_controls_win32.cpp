// The controls as real windows: a report-style list view, a drop-down list
// combo box and a list box, none sorted, so that items keep the indices
// they were added at.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "winui/list_controls.h"

static_assert(kListItemSelected == LVIS_SELECTED, "list-view selected state");
static_assert(kNextSelected == LVNI_SELECTED, "list-view search flag");

namespace {

HWND HandleOf(const CWnd& control) { return static_cast<HWND>(control.m_hWnd); }

// Sends a message to the control's window; fallback without one.
LRESULT Send(const CListControl& control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback) {
  if (!control.IsWindow()) return fallback;
  return ::SendMessageW(HandleOf(control), message, wParam, lParam);
}

// A device context of the control's window with the control's own font
// selected, as long as it lives.
class CControlDC {
 public:
  explicit CControlDC(const CListControl& control) : m_hWnd(HandleOf(control)), m_hDC(::GetDC(m_hWnd)) {
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    if (m_hDC != nullptr && font != nullptr) m_hOldFont = ::SelectObject(m_hDC, font);
  }
  ~CControlDC() {
    if (m_hDC == nullptr) return;
    if (m_hOldFont != nullptr) ::SelectObject(m_hDC, m_hOldFont);
    ::ReleaseDC(m_hWnd, m_hDC);
  }
  CControlDC(const CControlDC&) = delete;
  CControlDC& operator=(const CControlDC&) = delete;
  HDC Get() const { return m_hDC; }

 private:
  HWND m_hWnd;
  HDC m_hDC;
  HGDIOBJ m_hOldFont = nullptr;
};

// Data of a combo box or list box item; 0 for an index without an item.
uintptr_t ItemDataOf(const CListControl& control, int count, UINT message, int index) {
  if (index < 0 || index >= count) return 0;
  return static_cast<uintptr_t>(Send(control, message, static_cast<WPARAM>(index), 0, 0));
}

}  // namespace

bool CListControl::Create(CWnd* pParent) {
  if (m_hWnd != nullptr) return false;
  const HWND parent = pParent ? static_cast<HWND>(pParent->GetSafeHwnd()) : nullptr;
  DWORD style = parent ? WS_CHILD : WS_POPUP;
  const wchar_t* windowClass = WC_LISTBOXW;
  int height = 100;
  if (m_nKind == kListView) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    windowClass = WC_LISTVIEWW;
    style |= LVS_REPORT | LVS_SHOWSELALWAYS;
  } else if (m_nKind == kComboBox) {
    windowClass = WC_COMBOBOXW;
    style |= CBS_DROPDOWNLIST | WS_VSCROLL;
    height = 200;  // with its drop-down list
  } else {
    style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
  }
  const HWND hwnd = ::CreateWindowExW(0, windowClass, L"", style, 0, 0, 200, height, parent, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) return false;
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (m_nKind == kListView) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 180;
    ::SendMessageW(hwnd, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  }
  m_hWnd = hwnd;
  m_bOwned = true;
  return true;
}

void CListControl::DestroyWindow() {
  if (m_bOwned && IsWindow()) ::DestroyWindow(HandleOf(*this));
  m_hWnd = nullptr;
  m_bOwned = false;
}

bool CListControl::IsWindow() const { return m_hWnd != nullptr && ::IsWindow(HandleOf(*this)); }

int CListCtrl::GetItemCount() const { return static_cast<int>(Send(*this, LVM_GETITEMCOUNT, 0, 0, 0)); }

int CListCtrl::InsertItem(int index, const CString& text) {
  if (index < 0) return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return static_cast<int>(Send(*this, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item), -1));
}

bool CListCtrl::DeleteItem(int index) {
  return Send(*this, LVM_DELETEITEM, static_cast<WPARAM>(index), 0, FALSE) != FALSE;
}

uintptr_t CListCtrl::GetItemData(int index) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!Send(*this, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item), FALSE)) return 0;
  return static_cast<uintptr_t>(item.lParam);
}

bool CListCtrl::SetItemData(int index, uintptr_t data) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  return Send(*this, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item), FALSE) != FALSE;
}

bool CListCtrl::SetItemState(int index, unsigned state, unsigned mask) {
  LVITEMW item{};
  item.mask = LVIF_STATE;
  item.iItem = index;
  item.state = state;
  item.stateMask = mask;
  return Send(*this, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item), FALSE) != FALSE;
}

unsigned CListCtrl::GetItemState(int index, unsigned mask) const {
  return static_cast<unsigned>(Send(*this, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask, 0));
}

bool CListCtrl::SetItemText(int index, int column, const CString& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return Send(*this, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item), FALSE) !=
         FALSE;
}

CString CListCtrl::GetItemText(int index, int column) const {
  // The message tells only how much it copied: grow until the text fits.
  for (size_t size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT n =
        Send(*this, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item), 0);
    if (n <= 0) return CString();
    if (static_cast<size_t>(n) < size - 1) return CString(buffer.data(), static_cast<size_t>(n));
  }
}

int CListCtrl::GetNextItem(int start, int flags) const {
  return static_cast<int>(Send(*this, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0), -1));
}

int CComboBox::GetCount() const { return static_cast<int>(Send(*this, CB_GETCOUNT, 0, 0, 0)); }

int CComboBox::AddString(const CString& text) {
  const LRESULT index = Send(*this, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()), CB_ERR);
  return index < 0 ? -1 : static_cast<int>(index);
}

uintptr_t CComboBox::GetItemData(int index) const { return ItemDataOf(*this, GetCount(), CB_GETITEMDATA, index); }

bool CComboBox::SetItemData(int index, uintptr_t data) {
  return Send(*this, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data), CB_ERR) != CB_ERR;
}

int CComboBox::SetCurSel(int index) {
  return static_cast<int>(Send(*this, CB_SETCURSEL, static_cast<WPARAM>(index), 0, CB_ERR));
}

int CComboBox::GetCurSel() const { return static_cast<int>(Send(*this, CB_GETCURSEL, 0, 0, CB_ERR)); }

int CListBox::GetCount() const { return static_cast<int>(Send(*this, LB_GETCOUNT, 0, 0, 0)); }

int CListBox::AddString(const CString& text) {
  const LRESULT index = Send(*this, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()), LB_ERR);
  return index < 0 ? -1 : static_cast<int>(index);
}

int CListBox::DeleteString(int index) {
  return static_cast<int>(Send(*this, LB_DELETESTRING, static_cast<WPARAM>(index), 0, LB_ERR));
}

CString CListBox::GetText(int index) const {
  const LRESULT length = Send(*this, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, LB_ERR);
  if (length <= 0) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT n =
      Send(*this, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()), LB_ERR);
  return n <= 0 ? CString() : CString(buffer.data(), static_cast<size_t>(n));
}

uintptr_t CListBox::GetItemData(int index) const { return ItemDataOf(*this, GetCount(), LB_GETITEMDATA, index); }

bool CListBox::SetItemData(int index, uintptr_t data) {
  return Send(*this, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data), LB_ERR) != LB_ERR;
}

int CListBox::SetCurSel(int index) {
  return static_cast<int>(Send(*this, LB_SETCURSEL, static_cast<WPARAM>(index), 0, LB_ERR));
}

int CListBox::GetCurSel() const { return static_cast<int>(Send(*this, LB_GETCURSEL, 0, 0, LB_ERR)); }

void CListBox::SetHorizontalExtent(int width) {
  Send(*this, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width < 0 ? 0 : width), 0, 0);
}

int CListBox::GetHorizontalExtent() const {
  return static_cast<int>(Send(*this, LB_GETHORIZONTALEXTENT, 0, 0, 0));
}

int CListBox::GetAverageCharWidth() const {
  if (!IsWindow()) return 0;
  CControlDC dc(*this);
  TEXTMETRICW metrics{};
  if (dc.Get() == nullptr || !::GetTextMetricsW(dc.Get(), &metrics)) return 0;
  return metrics.tmAveCharWidth;
}

int CListBox::GetTextWidth(const CString& text) const {
  if (!IsWindow()) return 0;
  CControlDC dc(*this);
  SIZE size{};
  if (dc.Get() == nullptr ||
      !::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size))
    return 0;
  return size.cx;
}
