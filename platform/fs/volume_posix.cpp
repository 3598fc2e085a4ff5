#include "platform/fs/volume.h"

#include <pwd.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/posix_text.h"
#include "platform/sys/process.h"

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

// The path with every link and "." or ".." resolved, or p itself when it
// cannot be resolved.
std::string Canonical(const std::string& p) {
  char* real = ::realpath(p.c_str(), nullptr);
  if (real == nullptr) return p;
  const std::string out(real);
  std::free(real);
  return out;
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
    // As typed, or as the file system has them: a home reached through a
    // link still holds the trash folder of the folders under it.
    const std::string h = Normalize(home);
    struct stat hs {};
    if (::stat(h.c_str(), &hs) == 0 && hs.st_dev == st.st_dev) {
      if (Under(p, h)) return h;
      const std::string canonicalHome = Canonical(h);
      p = Canonical(p);
      if (Under(p, canonicalHome)) return canonicalHome;
    }
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

bool HasSourceDrive(const CString&) { return true; }

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

bool DrivePrefixVariesBelow(const CString& folder) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return false;
  const std::string f = Normalize(ToNativePath(folder));
  const std::string h = Normalize(home);
  const auto below = [](const std::string& p, const std::string& base) { return p != base && Under(p, base); };
  return below(h, f) || below(Canonical(h), Canonical(f));
}

bool IsTrashLocation(const CString& folder) {
  const std::string p = Canonical(Normalize(ToNativePath(folder)));
  if (Canonical(VolumeRoot(p)) == p) return true;
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return false;
  const passwd* owner = ::getpwuid(st.st_uid);
  return owner != nullptr && owner->pw_dir != nullptr && owner->pw_dir[0] == '/' && Canonical(owner->pw_dir) == p;
}

CString GetDefaultDrive() { return CString(); }
