#include "platform/volume.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/posix_text.h"
#include "platform/process.h"

namespace {

// Absolute, single slashes, no trailing slash ("/" stays "/").
std::string Normalize(std::string p) {
  if (p.empty() || p[0] != '/') {
    const std::string cwd = ToNativePath(GetProcessCurrentDirectory(4096));
    p = cwd + "/" + p;
  }
  std::string out;
  for (char c : p) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string Parent(const std::string& p) {
  const size_t slash = p.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : p.substr(0, slash);
}

bool Under(const std::string& p, const std::string& base) {
  if (base == "/") return true;
  return p == base || (p.size() > base.size() && p.compare(0, base.size(), base) == 0 && p[base.size()] == '/');
}

std::string VolumeRoot(const std::string& folder) {
  std::string p = Normalize(folder);
  struct stat st {};
  while (::stat(p.c_str(), &st) != 0) {
    if (p == "/") return p;
    p = Parent(p);
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    const std::string h = Normalize(home);
    struct stat hs {};
    if (Under(p, h) && ::stat(h.c_str(), &hs) == 0 && hs.st_dev == st.st_dev) return h;
  }
  while (p != "/") {
    const std::string up = Parent(p);
    struct stat ps {};
    if (::stat(up.c_str(), &ps) != 0 || ps.st_dev != st.st_dev) break;
    p = up;
  }
  return p;
}

}  // namespace

CString GetSourceDrive(const CString& path) {
  const std::string root = VolumeRoot(ToNativePath(path));
  return root == "/" ? CString() : FromNativePath(root);
}

CString GetDrivePrefix(const CString& itemPath) {
  std::string item = ToNativePath(itemPath);
  while (item.size() > 1 && item.back() == '/') item.pop_back();
  CString drive = GetSourceDrive(FromNativePath(Parent(item)));
  ReplaceAll(drive, L"/", L"\\");
  return drive;
}

CString GetDefaultDrive() { return CString(); }
