#include "platform/sys/shell.h"

#include "platform/sys/posix_spawn.h"
#include "platform/posix_text.h"

void* LoadShellLibrary() { return nullptr; }

void ReleaseShellInterface(IUnknown*) {}

void ShellOpen(void*, const CString& path) { SpawnDetached({"xdg-open", ToNativePath(path)}); }

bool StartTextEditor(const CString& path) { return SpawnDetached({"xdg-open", ToNativePath(path)}); }

const char* TextModeLineEnd() { return "\n"; }
