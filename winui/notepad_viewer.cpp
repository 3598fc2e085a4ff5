#include "winui/notepad_viewer.h"

#include <algorithm>
#include <string>

#include "platform/encoding.h"
#include "platform/sys/shell.h"
#include "winui/system_folders.h"

namespace {

// The file's path in the temporary folder; empty when there is no temporary
// folder, where the bare name would land in the current folder, over a file
// of the user's.
CString NotepadFilePath(const CString& fileName) {
  const CString folder = GetTempPathW();
  return folder.empty() ? CString() : folder + (fileName.empty() ? CString(L"Info.txt") : fileName);
}

bool WriteText(const CString& path, const CString& text) {
  std::string bytes = NarrowToAnsi(text);
  std::replace(bytes.begin(), bytes.end(), '\r', ' ');
  return WriteTextModeFile(path, bytes);
}

}  // namespace

CString WriteNotepadFile(const CString& text, const CString& fileName) {
  const CString path = NotepadFilePath(fileName);
  if (!path.empty()) WriteText(path, text);
  return path;
}

bool ShowInNotepad(const CString& text, const CString& fileName) {
  const CString path = NotepadFilePath(fileName);
  return !path.empty() && WriteText(path, text) && StartTextEditor(path);
}

bool ShowInNotepad(const CComBSTR& text) { return ShowInNotepad(CString(text), CString()); }
