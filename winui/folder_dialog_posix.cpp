#include <string>
#include <vector>

#include "platform/sys/posix_spawn.h"
#include "platform/posix_text.h"
#include "winui/folder_dialog.h"

bool CBrowseForFolder::DoBrowse(CString& result) {
  result.clear();
  std::vector<std::string> argv;
  for (const CString& arg : GetPickerCommandLine()) argv.push_back(ToNativePath(arg));
  std::string output;
  int exitCode = -1;
  if (!SpawnAndCapture(argv, output, exitCode) || exitCode != 0) return false;
  if (!output.empty() && output.back() == '\n') output.pop_back();
  result = FromNativePath(output);
  return !result.empty();
}

int CBrowseForFolder::BrowseCallback(void*, unsigned, intptr_t, intptr_t) { return 0; }
