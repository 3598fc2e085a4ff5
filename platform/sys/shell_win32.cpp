#include "platform/sys/shell.h"

#include <windows.h>
#include <shellapi.h>
#include <unknwn.h>

#include "platform/encoding.h"

void* LoadShellLibrary() { return ::LoadLibraryW(L"shell32.dll"); }

void ReleaseShellInterface(IUnknown* pInterface) {
  if (pInterface != nullptr) pInterface->Release();
}

void ShellOpen(void* hwndParent, const CString& path) {
  ::ShellExecuteW(static_cast<HWND>(hwndParent), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool StartTextEditor(const CString& path) {
  const std::string command = "notepad.exe " + NarrowToAnsi(path);
  return ::WinExec(command.c_str(), SW_SHOWNORMAL) > 31;  // lower values are errors
}

const char* TextModeLineEnd() { return "\r\n"; }
