// The folder picker. CBrowseForFolder opens the platform's picker over a
// parent window with a title, preselects an initial folder, shows the path of
// the highlighted folder while the user moves through the tree, and returns
// the chosen file-system folder. Windows: the shell's picker
// (SHBrowseForFolderW). POSIX: `zenity --file-selection --directory` when it
// is installed; without it no picker is available.
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/ui/window.h"

class VELMORA_API CBrowseForFolder {
 public:
  // initialFolder is kept without one trailing "\" or "/"; pParent may be null.
  CBrowseForFolder(const CString& title = CString(), const CString& initialFolder = CString(),
                   CWnd* pParent = nullptr, const CString& rootFolder = CString());
  virtual ~CBrowseForFolder();

  // Shows the picker and waits for the user. Returns true when a folder was
  // chosen, with its path in result; false and an empty result when the
  // picker was cancelled or is not available.
  bool DoBrowse(CString& result);

  // The picker's callback (hwnd, message, lParam, data = &m_strInitial):
  // preselects m_strInitial when the picker starts and shows the path of the
  // highlighted folder, if it has one, as status text. Always 0. POSIX: does
  // nothing.
  static int BrowseCallback(void* hwnd, unsigned message, intptr_t lParam, intptr_t data);

  // POSIX: the zenity command line DoBrowse runs: the directory chooser with
  // the title and, when there is one, the initial folder to preselect.
  CStringArray GetPickerCommandLine() const;

  void* m_hwndParent;   // parent window; null without one
  CString m_strInitial; // folder to preselect
  CString m_strTitle;   // shown above the tree
  const void* m_pidlRoot;  // root of the tree; null (the desktop)
  CString m_strRoot;    // root folder by path; no effect on the picker
  uint32_t m_nFlags;    // file-system folders only, status text, new style, shareable
};

// The form the application shows (the "..." button's "Root Folder" picker).
class VELMORA_API CDirDialog : public CBrowseForFolder {
 public:
  CDirDialog(const CString& title, const CString& initialFolder, CWnd* pParent, const CString& rootFolder);
  ~CDirDialog() override;

  CString m_strSelDir;  // unused
};
