#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix_text.h"
#include "platform/sys/process.h"
#include "platform/sys/profile.h"

namespace {

CString ConfigHome() {
  const CString xdg = GetProcessEnvironmentVariable(L"XDG_CONFIG_HOME");
  if (!xdg.empty() && xdg[0] == L'/') return xdg;
  CString home = GetProcessEnvironmentVariable(L"HOME");
  if (home.empty()) {
    const passwd* pw = ::getpwuid(::getuid());
    if (pw != nullptr && pw->pw_dir != nullptr) home = FromNativePath(std::string(pw->pw_dir));
  }
  return home + L"/.config";
}

CString IniPath(const CString& company, const CString& application) {
  return ConfigHome() + L"/" + company + L"/" + application + L".ini";
}

// The file's bytes; false when it cannot be read (a missing file is
// reported through errno == ENOENT).
bool ReadFileBytes(const std::string& path, std::string& out) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int saved = errno;
      ::close(fd);
      errno = saved;
      return false;
    }
    if (n == 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

std::vector<CString> SplitLines(const CString& text) {
  std::vector<CString> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == CString::npos) end = text.size();
    CString line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool IsComment(const CString& trimmed) { return !trimmed.empty() && (trimmed[0] == L';' || trimmed[0] == L'#'); }

// The section named by a "[name]" line, or false for any other line.
bool SectionOf(const CString& line, CString& name) {
  const CString t = Trimmed(line);
  if (t.size() < 2 || t.front() != L'[' || t.back() != L']') return false;
  name = Trimmed(t.substr(1, t.size() - 2));
  return true;
}

// The entry name of an "entry=value" line and the raw text after "=".
bool EntryOf(const CString& line, CString& entry, CString& raw) {
  const CString t = Trimmed(line);
  if (t.empty() || IsComment(t) || t[0] == L'[') return false;
  const size_t eq = line.find(L'=');
  if (eq == CString::npos) return false;
  entry = Trimmed(line.substr(0, eq));
  raw = line.substr(eq + 1);
  return true;
}

CString Escape(const CString& value) {
  CString out;
  out.reserve(value.size());
  for (const wchar_t c : value) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'\n': out += L"\\n"; break;
      case L'\r': out += L"\\r"; break;
      case L'\0': out += L"\\0"; break;
      default: out += c; break;
    }
  }
  return out;
}

CString Unescape(const CString& raw) {
  CString out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    wchar_t c = raw[i];
    if (c == L'\\' && i + 1 < raw.size()) {
      switch (raw[i + 1]) {
        case L'\\': c = L'\\'; ++i; break;
        case L'n': c = L'\n'; ++i; break;
        case L'r': c = L'\r'; ++i; break;
        case L'0': c = L'\0'; ++i; break;
        default: break;  // not an escape: the backslash stands for itself
      }
    }
    out += c;
  }
  return out;
}

// Index range [begin, end) of the lines that belong to the first section
// of that name (after its header); begin is npos when there is none.
void FindSection(const std::vector<CString>& lines, const CString& section, size_t& begin, size_t& end) {
  begin = end = CString::npos;
  CString name;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!SectionOf(lines[i], name)) continue;
    if (begin != CString::npos) {
      end = i;
      return;
    }
    if (CompareNoCase(name, section) == 0) begin = i + 1;
  }
  if (begin != CString::npos) end = lines.size();
}

bool MakeFolders(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash))) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes bytes to path through a temporary file in the same folder that is
// flushed and then renamed over it. A symbolic link at path is followed, so
// the link stays and its target gets the new content.
bool ReplaceFileAtomically(std::string path, const std::string& bytes) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) path = resolved;
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
  if (!MakeFolders(folder)) return false;

  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(&temp[0]);
  if (fd < 0) return false;
  struct stat st {};
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
    SyncFolder(folder);
    return true;
  }
  ::unlink(temp.c_str());
  return false;
}

}  // namespace

CString CProfile::GetLocation() const { return IniPath(m_strCompany, m_strApplication); }

CString CProfile::GetString(const CString& section, const CString& entry) const {
  std::string bytes;
  if (!ReadFileBytes(ToNativePath(GetLocation()), bytes)) return CString();
  const std::vector<CString> lines = SplitLines(FromNativePath(bytes));
  size_t begin, end;
  FindSection(lines, section, begin, end);
  CString name, raw;
  for (size_t i = begin; begin != CString::npos && i < end; ++i) {
    if (EntryOf(lines[i], name, raw) && CompareNoCase(name, entry) == 0) return Unescape(raw);
  }
  return CString();
}

bool CProfile::WriteString(const CString& section, const CString& entry, const CString& value) const {
  if (!IsStorableProfileName(section, entry)) return false;
  const std::string path = ToNativePath(GetLocation());
  std::string bytes;
  // An existing store that cannot be read is left alone rather than replaced
  // by one holding this value only.
  if (!ReadFileBytes(path, bytes) && errno != ENOENT) return false;
  std::vector<CString> lines = SplitLines(FromNativePath(bytes));

  const CString line = entry + L"=" + Escape(value);
  size_t begin, end;
  FindSection(lines, section, begin, end);
  if (begin == CString::npos) {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.push_back(CString());
    lines.push_back(L"[" + section + L"]");
    lines.push_back(line);
  } else {
    size_t insert = begin;  // after the section's last non-blank line
    bool replaced = false;
    CString name, raw;
    for (size_t i = begin; i < end && !replaced; ++i) {
      if (EntryOf(lines[i], name, raw) && CompareNoCase(name, entry) == 0) {
        lines[i] = line;
        replaced = true;
      } else if (!Trimmed(lines[i]).empty()) {
        insert = i + 1;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), line);
  }

  CString text;
  for (const CString& l : lines) text += l + L"\n";
  return ReplaceFileAtomically(path, ToNativePath(text));
}

bool CProfile::DeleteStore() const {
  const std::string path = ToNativePath(GetLocation());
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}
