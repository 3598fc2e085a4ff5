#include "platform/sys/shell.h"

#include <fstream>

#include "platform/sys/posix_spawn.h"
#include "platform/posix_text.h"

void* LoadShellLibrary() { return nullptr; }

void ReleaseShellInterface(IUnknown*) {}

void ShellOpen(void*, const CString& path) { SpawnDetached({"xdg-open", ToNativePath(path)}); }

bool StartTextEditor(const CString& path) { return SpawnDetached({"xdg-open", ToNativePath(path)}); }

bool WriteTextModeFile(const CString& path, const std::string& bytes) {
  std::ofstream out(ToNativePath(path), std::ios_base::out);
  if (!out) return false;
  out << bytes;
  out.close();
  return !out.fail();
}

const char* TextModeLineEnd() { return "\n"; }
