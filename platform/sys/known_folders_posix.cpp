#include "platform/sys/known_folders.h"

#include <mntent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix_text.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

struct passwd* EffectiveUser(std::vector<char>& buffer, struct passwd& entry) {
  struct passwd* result = nullptr;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  buffer.resize(size > 0 ? static_cast<size_t>(size) : 16384);
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0) return nullptr;
  return result;
}

// $HOME, else the effective user's home folder from passwd.
std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer;
  struct passwd entry {};
  struct passwd* user = EffectiveUser(buffer, entry);
  return user != nullptr && user->pw_dir != nullptr ? std::string(user->pw_dir) : std::string();
}

std::string ConfigFolder() {
  const std::string config = Environment("XDG_CONFIG_HOME");
  if (!config.empty() && config[0] == '/') return config;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.config";
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A value of user-dirs.dirs: KEY="VALUE" with backslash escapes, the value
// either absolute or starting with $HOME.
std::string UserDirsValue(const std::string& file, const std::string& key) {
  std::ifstream in(file);
  std::string line;
  std::string found;
  while (std::getline(in, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, key.size() + 1, key + "=") != 0) continue;
    std::string raw = line.substr(start + key.size() + 1);
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t' || raw.back() == '\r')) raw.pop_back();
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') raw = raw.substr(1, raw.size() - 2);
    std::string value;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
      value += raw[i];
    }
    found = value;  // the last assignment wins, as in a shell
  }
  return found;
}

// XDG_<NAME>_DIR when it names an existing folder, else $HOME.
std::string UserFolder(const char* key) {
  std::string value = Environment(key);
  if (value.empty()) {
    const std::string config = ConfigFolder();
    if (!config.empty()) value = UserDirsValue(config + "/user-dirs.dirs", key);
  }
  const std::string home = HomeFolder();
  if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) value = home + value.substr(5);
  if (!value.empty() && value[0] == '/' && IsFolder(value)) return value;
  return home;
}

CString Native(const std::string& bytes) { return FromNativePath(bytes); }

}  // namespace

CString QueryShellFolder(ShellFolder folder) {
  switch (folder) {
    case ShellFolder::kPersonal:
    case ShellFolder::kDocuments: return Native(UserFolder("XDG_DOCUMENTS_DIR"));
    case ShellFolder::kPictures: return Native(UserFolder("XDG_PICTURES_DIR"));
    case ShellFolder::kAppData: return Native(ConfigFolder());
  }
  return CString();
}

CString QueryHomeFolder() { return FromNativePath(HomeFolder()); }

CString QueryWindowsDirectory() { return CString(); }

CString QuerySystemDirectory() { return CString(); }

CString QueryTempPath() {
  std::string temp = Environment("TMPDIR");
  if (temp.empty()) temp = "/tmp";
  if (temp.back() != '/') temp += '/';
  return Native(temp);
}

CString QueryUserName() {
  std::vector<char> buffer;
  struct passwd entry {};
  struct passwd* user = EffectiveUser(buffer, entry);
  return user != nullptr && user->pw_name != nullptr ? Native(user->pw_name) : CString();
}

CString QueryComputerName() {
  char name[256] = {0};
  if (::gethostname(name, sizeof name - 1) != 0) return CString();
  return Native(name);
}

void QueryLogicalDrives(CStringArray& drives, bool /*lettersOnly*/) {
  FILE* table = ::setmntent("/proc/self/mounts", "r");
  if (table == nullptr) table = ::setmntent("/etc/mtab", "r");
  if (table == nullptr) return;
  CStringArray found;
  struct mntent entry {};
  char buffer[4096];
  while (::getmntent_r(table, &entry, buffer, sizeof buffer) != nullptr) {
    const CString point = Native(entry.mnt_dir);
    if (std::find(found.begin(), found.end(), point) == found.end()) found.push_back(point);
  }
  ::endmntent(table);
  drives.insert(drives.end(), found.begin(), found.end());
}
