#include "app/velmora_services.h"

#include <cstdint>

#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "platform/file_system.h"
#include "winui/folder_dialog.h"
#include "winui/notepad_viewer.h"
#include "winui/system_folders.h"

bool CVelmoraServices::IsFolder(const CString& path) {
  uint32_t attributes = 0;
  return PlatformGetFileAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CVelmoraServices::MakeTrashFolder(const CString& source, CString& error) {
  try {
    ::MakeTrashFolder(source);
    return true;
  } catch (CActException* e) {
    error = e->m_strError;
    delete e;
    return false;
  }
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
