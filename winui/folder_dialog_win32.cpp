#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "winui/folder_dialog.h"

namespace {

int CALLBACK BrowseCallbackThunk(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
  return CBrowseForFolder::BrowseCallback(hwnd, message, lParam, data);
}

}  // namespace

bool CBrowseForFolder::DoBrowse(CString& result) {
  result.clear();
  IMalloc* pMalloc = nullptr;
  if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == nullptr) return false;

  wchar_t displayName[264] = {0};
  BROWSEINFOW info{};
  info.hwndOwner = static_cast<HWND>(m_hwndParent);
  info.pidlRoot = static_cast<PCIDLIST_ABSOLUTE>(m_pidlRoot);
  info.pszDisplayName = displayName;
  info.lpszTitle = m_strTitle.c_str();
  info.ulFlags = m_nFlags;
  info.lpfn = BrowseCallbackThunk;
  info.lParam = reinterpret_cast<LPARAM>(&m_strInitial);

  // Uninitialise only what was initialised here.
  const bool bOle = (m_nFlags & BIF_NEWDIALOGSTYLE) != 0 && SUCCEEDED(::OleInitialize(nullptr));
  if (PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&info)) {
    // On failure the buffer keeps the display name the picker wrote.
    ::SHGetPathFromIDListW(pidl, displayName);
    pMalloc->Free(pidl);
    result = displayName;
  }
  if (bOle) ::OleUninitialize();
  pMalloc->Release();
  return !result.empty();
}

int CBrowseForFolder::BrowseCallback(void* hwnd, unsigned message, intptr_t lParam, intptr_t data) {
  const HWND hwndPicker = static_cast<HWND>(hwnd);
  if (message == BFFM_INITIALIZED) {
    if (data != 0) {
      const CString* initial = reinterpret_cast<const CString*>(data);
      ::SendMessageW(hwndPicker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(initial->c_str()));
    }
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = {0};
    if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
      ::SendMessageW(hwndPicker, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}
