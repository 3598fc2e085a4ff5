#include "winui/notepad_viewer.h"

#include <algorithm>
#include <string>

#include "platform/encoding.h"
#include "platform/shell.h"
#include "winui/system_folders.h"

CString WriteNotepadFile(const CString& text, const CString& fileName) {
  const CString path = GetTempPathW() + (fileName.empty() ? CString(L"Info.txt") : fileName);
  std::string bytes = NarrowToAnsi(text);
  std::replace(bytes.begin(), bytes.end(), '\r', ' ');
  WriteTextModeFile(path, bytes);
  return path;
}

void ShowInNotepad(const CString& text, const CString& fileName) {
  StartTextEditor(WriteNotepadFile(text, fileName));
}

void ShowInNotepad(const CComBSTR& text) { ShowInNotepad(CString(text), CString()); }
