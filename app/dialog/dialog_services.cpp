#include "app/dialog/dialog_services.h"

#include "app/engine/run_input.h"
#include "app/engine/trash_folder.h"
#include "app/engine/run_types.h"
#include "winui/folder_dialog.h"
#include "winui/notepad_viewer.h"
#include "winui/system_folders.h"

bool CVelmoraServices::IsFolder(const CString& path) { return IsExistingFolder(path); }

bool CVelmoraServices::IsInsideTrash(const CString& path) { return IsInsideTrashFolder(path); }

bool CVelmoraServices::MakeTrashFolder(const CString& source, CString& error) {
  return TryMakeTrashFolder(source, error);
}

CString CVelmoraServices::GetTrashFolder() { return ::GetTrashFolder(); }

CString CVelmoraServices::GetBatchFolder() { return ::GetBatchFolder(); }

void CVelmoraServices::Cancel() { g_bCancel = true; }

bool CVelmoraServices::BrowseForFolder(const CString& title, const CString& initial, CString& result) {
  CDirDialog dialog(title, initial, m_pParent, CString());
  return dialog.DoBrowse(result);
}

void CVelmoraServices::ShowInNotepad(const CString& text, const CString& fileName) {
  ::ShowInNotepad(text, fileName);
}

void CVelmoraServices::OpenFolder(const CString& path) { CWinShell(m_pParent).Open(path); }
