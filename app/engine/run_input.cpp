#include "app/engine/run_input.h"

#include "app/engine/trash_folder.h"

bool IsExistingFolder(const CString& path, CDiskInterface& disk) {
  uint32_t attributes = 0;
  return disk.GetAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CSourceProbe RealSourceProbe() {
  return CSourceProbe{[](const CString& path) { return IsExistingFolder(path); },
                      [](const CString& path) { return IsInsideTrashFolder(path); }};
}

bool CheckSourceInput(const CString& source, const CSourceProbe& probe, CInputError& error) {
  error.strCaption = L"Wrong path";
  if (source.empty()) {
    error.strText = L"Please, specify the path";
    return false;
  }
  if (!probe.hasDrive(source)) {
    error.strText = L"The root folder '" + source + L"' does not start with a drive letter (such as C:\\)";
    return false;
  }
  if (!probe.isFolder(source)) {
    error.strText = L"The root folder '" + source + L"' does not exists";
    return false;
  }
  if (probe.isInsideTrash(source)) {
    error.strText = L"The root folder '" + source + L"' lies in the trash folder";
    return false;
  }
  return true;
}

bool CheckListInput(CleanupKind kind, const CString& list, CInputError& error) {
  if (!Trimmed(list).empty()) return true;
  if (kind == CleanupKind::kFiles) {
    error.strText = L"Please, specify the extension for file you want to remove";
    error.strCaption = L"Wrong extension";
  } else {
    error.strText = L"Please, specify the folder name you want to remove ";
    error.strCaption = L"Wrong folder name";
  }
  return false;
}
