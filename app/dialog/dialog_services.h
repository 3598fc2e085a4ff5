// CVelmoraServices: the dialog's services as the program provides them: the
// cleanup engine's trash and batch folders and cancel flag, the toolkit's
// folder picker, notepad viewer and shell helper, on behalf of the dialog's
// window.
#pragma once

#include "app/dialog/velmora_dlg.h"
#include "platform/ui/window.h"

class CVelmoraServices : public CVelmoraDlgServices {
 public:
  // pParent: the dialog's window (may be null); not owned.
  explicit CVelmoraServices(CWnd* pParent = nullptr) : m_pParent(pParent) {}

  bool IsFolder(const CString& path) override;
  bool IsInsideTrash(const CString& path) override;
  // MakeTrashFolder of the engine; its CActException becomes the error text.
  bool MakeTrashFolder(const CString& source, CString& error) override;
  CString GetTrashFolder() override;
  CString GetBatchFolder() override;
  void Cancel() override;
  bool BrowseForFolder(const CString& title, const CString& initial, CString& result) override;
  void ShowInNotepad(const CString& text, const CString& fileName) override;
  void OpenFolder(const CString& path) override;

 private:
  CWnd* m_pParent;
};
