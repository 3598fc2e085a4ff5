#include "winui/folder_dialog.h"

namespace {
const uint32_t kPickerFlags = 0x8045;  // return only FS dirs | status text | new style | shareable
}

CBrowseForFolder::CBrowseForFolder(const CString& title, const CString& initialFolder, CWnd* pParent,
                                   const CString& rootFolder)
    : m_hwndParent(nullptr), m_pidlRoot(nullptr), m_nFlags(kPickerFlags) {
  m_strTitle = title;
  m_strRoot = rootFolder;
  m_strInitial = initialFolder;
  if (!m_strInitial.empty() && (m_strInitial.back() == L'\\' || m_strInitial.back() == L'/'))
    m_strInitial.pop_back();
  if (pParent != nullptr) m_hwndParent = pParent->GetSafeHwnd();
}

CBrowseForFolder::~CBrowseForFolder() = default;

CStringArray CBrowseForFolder::GetPickerCommandLine() const {
  CStringArray args = {L"zenity", L"--file-selection", L"--directory", L"--title=" + m_strTitle};
  // Without a trailing separator zenity selects the folder itself.
  if (!m_strInitial.empty()) args.push_back(L"--filename=" + m_strInitial);
  return args;
}

CDirDialog::CDirDialog(const CString& title, const CString& initialFolder, CWnd* pParent,
                       const CString& rootFolder)
    : CBrowseForFolder(title, initialFolder, pParent, rootFolder) {}

CDirDialog::~CDirDialog() = default;
