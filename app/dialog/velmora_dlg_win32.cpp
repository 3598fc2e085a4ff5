#include "app/dialog/velmora_dlg_win32.h"

#include "app/dialog/batches_dlg_win32.h"
#include "app/res/resource.h"
#include "platform/sys/process.h"

namespace {

const UINT kObmCombo = 32738;  // OBM_COMBO: the system's drop-down arrow

HINSTANCE GetResourceModule() { return ::GetModuleHandleW(nullptr); }

// The About box: nothing to exchange, OK or Escape ends it.
INT_PTR CALLBACK AboutProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    ::EndDialog(hWnd, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

CVelmoraDlgWindow::CVelmoraDlgWindow(const CProfile& profile, CVelmoraDlgServices* pServices)
    : m_ownServices(&m_wnd),
      m_services(pServices != nullptr ? *pServices : m_ownServices),
      m_dlg(m_view, m_services, profile),
      m_hIcon(::LoadIconW(GetResourceModule(), MAKEINTRESOURCEW(IDI_VELMORA))) {}

CVelmoraDlgWindow::~CVelmoraDlgWindow() {
  if (GetSafeHwnd() != nullptr) ::DestroyWindow(GetSafeHwnd());
  if (m_hbmMenu != nullptr) ::DeleteObject(m_hbmMenu);
}

INT_PTR CVelmoraDlgWindow::DoModal(HWND hParent) {
  return ::DialogBoxParamW(GetResourceModule(), MAKEINTRESOURCEW(IDD_VELMORA_DIALOG), hParent, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CVelmoraDlgWindow::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    reinterpret_cast<CVelmoraDlgWindow*>(lParam)->OnInitDialog(hWnd);
    return TRUE;  // focus to the first control
  }
  auto* self = reinterpret_cast<CVelmoraDlgWindow*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
  if (self == nullptr) return FALSE;  // messages before WM_INITDIALOG
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    self->m_wnd.m_hWnd = nullptr;  // the window is gone
    return FALSE;
  }
  return self->OnMessage(message, wParam, lParam);
}

INT_PTR CVelmoraDlgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam & 0xFFF0);
    case WM_PAINT:
      if (!::IsIconic(GetSafeHwnd())) return FALSE;
      OnPaintIconic();
      return TRUE;
    case WM_QUERYDRAGICON:  // one of the messages whose result is returned as is
      return reinterpret_cast<INT_PTR>(m_hIcon);
    case WM_DESTROY:
      m_dlg.OnDestroy();
      return FALSE;
    case WM_COMMAND:
      // Clicks, menu items and accelerators; an edit's notifications are no commands.
      if (HIWORD(wParam) > 1) return FALSE;
      OnCommand(LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CVelmoraDlgWindow::OnSysCommand(WPARAM command) {
  switch (command) {
    case IDM_ABOUTBOX:
      ::DialogBoxParamW(GetResourceModule(), MAKEINTRESOURCEW(IDD_ABOUTBOX), GetSafeHwnd(), &AboutProc, 0);
      return TRUE;
    case IDM_BATCHES:
      if (CBatchesDlg::CanOpen(m_dlg)) CBatchesDlgWindow(m_dlg).DoModal(GetSafeHwnd());
      return TRUE;
    case SC_CLOSE:
      // A job of the Batches window runs in this dialog: it cannot end now.
      return m_dlg.m_bJobRunning ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

void CVelmoraDlgWindow::OnInitDialog(HWND hWnd) {
  m_view.Attach(hWnd);
  m_wnd.m_hWnd = hWnd;
  if (HMENU sysMenu = ::GetSystemMenu(hWnd, FALSE)) {
    const CString about = LoadProcessString(IDS_ABOUTBOX);
    if (!about.empty()) {
      ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(sysMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    const CString batches = LoadProcessString(IDS_BATCHES);
    if (!batches.empty()) ::AppendMenuW(sysMenu, MF_STRING, IDM_BATCHES, batches.c_str());
  }
  ::SendMessageW(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  ::SendMessageW(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_dlg.OnInitDialog();
  m_hbmMenu = ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(kObmCombo));
  ::SendDlgItemMessageW(hWnd, IDC_MENU, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hbmMenu));
}

void CVelmoraDlgWindow::OnCommand(int id) {
  // During a job of the Batches window only Stop is taken (the logic's map).
  if (m_dlg.m_bJobRunning && id != IDC_STOP) return;
  switch (id) {
    case IDOK:
      if (m_dlg.OnOK()) EndDialog(IDOK);
      break;
    case IDCANCEL:
      EndDialog(IDCANCEL);
      break;
    case IDC_MENU:
      ShowPresetMenu();
      break;
    default:
      m_dlg.OnCommand(id);
      break;
  }
  // A Close that came during a run (dispatched between two moved items)
  // ends the dialog here, once the run's own command has returned.
  if (m_bEndPending && !m_dlg.m_bRunning) {
    m_bEndPending = false;
    ::EndDialog(GetSafeHwnd(), m_nEndResult);
  }
}

void CVelmoraDlgWindow::EndDialog(INT_PTR result) {
  m_nEndResult = result;
  m_bEndPending = true;
}

void CVelmoraDlgWindow::OnPaintIconic() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(GetSafeHwnd(), &ps);
  ::SendMessageW(GetSafeHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT rect;
  ::GetClientRect(GetSafeHwnd(), &rect);
  const int x = (rect.right - rect.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (rect.bottom - rect.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, m_hIcon);
  ::EndPaint(GetSafeHwnd(), &ps);
}

void CVelmoraDlgWindow::ShowPresetMenu() {
  POINT point;
  ::GetCursorPos(&point);
  point.x += 5;
  point.y += 5;
  HMENU menu = ::LoadMenuW(GetResourceModule(), MAKEINTRESOURCEW(IDR_PRESET_MENU));
  if (menu == nullptr) return;
  HWND owner = GetSafeHwnd();
  while ((::GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(owner) != nullptr)
    owner = ::GetParent(owner);
  if (HMENU popup = ::GetSubMenu(menu, 0))
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
  ::DestroyMenu(menu);
}
