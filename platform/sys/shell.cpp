#include "platform/sys/shell.h"

#include <fstream>

#include "platform/encoding.h"

bool WriteTextModeFile(const CString& path, const std::string& bytes) {
  // Text mode, deny-none sharing: the C runtime's fopen defaults; the path
  // narrowed as file names are (POSIX: its bytes exactly).
  std::ofstream out(NarrowToAnsiWithPathBytes(path), std::ios_base::out);
  if (!out) return false;
  out << bytes;
  out.close();
  return !out.fail();
}
