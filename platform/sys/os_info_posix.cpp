#include <sys/utsname.h>

#include <fstream>
#include <string>

#include "platform/encoding.h"
#include "platform/sys/os_info.h"

bool QueryOSVersionRecord(COSVersionRecord&) { return false; }

CString QueryProductType() { return CString(); }

namespace {

// PRETTY_NAME of an os-release file, without its quotes.
std::string PrettyName(const char* file) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
    std::string value = line.substr(12);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return std::string();
}

}  // namespace

CString QueryNativeOSDescription() {
  struct utsname u {};
  std::string text;
  if (::uname(&u) == 0) text = std::string(u.sysname) + " " + u.release + " " + u.machine;
  std::string pretty = PrettyName("/etc/os-release");
  if (pretty.empty()) pretty = PrettyName("/usr/lib/os-release");
  if (!pretty.empty()) text += text.empty() ? pretty : " (" + pretty + ")";
  return WidenFromAnsi(text);
}
