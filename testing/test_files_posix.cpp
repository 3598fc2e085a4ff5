#include "testing/test_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/fs/file_time.h"
#include "platform/posix_text.h"
#include "platform/sys/process.h"

namespace {

bool RemoveNative(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return true;
  if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0;
  ::chmod(path.c_str(), 0700);
  bool ok = true;
  if (DIR* dir = ::opendir(path.c_str())) {
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      ok = RemoveNative(path + "/" + name) && ok;
    }
    ::closedir(dir);
  }
  return ::rmdir(path.c_str()) == 0 && ok;
}

bool MakeNativeFolders(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeNativeFolders(path.substr(0, slash))) return false;
  return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

}  // namespace

CScopedTempFolder::CScopedTempFolder(const CString& base) {
  static std::atomic<int> counter{0};
  const CString root = base.empty() ? GetProcessCurrentDirectory(4096) : base;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const CString path = root + L"/vtmp_" + std::to_wstring(::getpid()) + L"_" + std::to_wstring(counter++);
    if (::mkdir(ToNativePath(path).c_str(), 0777) == 0) {
      m_strPath = path;
      return;
    }
  }
}

CScopedTempFolder::~CScopedTempFolder() {
  if (IsValid()) RemoveTreeForTesting(m_strPath);
}

CString CScopedTempFolder::operator/(const CString& relative) const { return m_strPath + L"/" + relative; }

CScopedEnvironment::CScopedEnvironment(const CString& name, const CString& value) : m_strName(name) {
  const std::string n = ToNativePath(name);
  if (const char* old = std::getenv(n.c_str())) {
    m_bHadOld = true;
    m_strOld = FromNativePath(std::string(old));
  }
  if (value.empty())
    ::unsetenv(n.c_str());
  else
    ::setenv(n.c_str(), ToNativePath(value).c_str(), 1);
}

CScopedEnvironment::~CScopedEnvironment() {
  const std::string n = ToNativePath(m_strName);
  if (m_bHadOld)
    ::setenv(n.c_str(), ToNativePath(m_strOld).c_str(), 1);
  else
    ::unsetenv(n.c_str());
}

bool MakeFoldersForTesting(const CString& path) { return MakeNativeFolders(ToNativePath(path)); }

bool WriteFileForTesting(const CString& path, const std::string& bytes) {
  const std::string native = ToNativePath(path);
  const size_t slash = native.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeNativeFolders(native.substr(0, slash))) return false;
  std::ofstream out(native, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

bool ReadFileForTesting(const CString& path, std::string& bytes) {
  std::ifstream in(ToNativePath(path), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool ExistsForTesting(const CString& path) {
  struct stat st {};
  return ::lstat(ToNativePath(path).c_str(), &st) == 0;
}

bool RemoveTreeForTesting(const CString& path) { return RemoveNative(ToNativePath(path)); }

bool MakeLinkForTesting(const CString& target, const CString& link, bool) {
  return ::symlink(ToNativePath(target).c_str(), ToNativePath(link).c_str()) == 0;
}

bool MakeUnixLinkForTesting(const CString& target, const CString& link) {
  return MakeLinkForTesting(target, link, true);
}

// The POSIX documents folder is never empty while $HOME is there.
CScopedNoDocumentsFolder::CScopedNoDocumentsFolder() = default;

CScopedNoDocumentsFolder::~CScopedNoDocumentsFolder() = default;

// POSIX has no network paths.
CScopedNetworkShare::CScopedNetworkShare() = default;

CScopedNetworkShare::~CScopedNetworkShare() = default;

bool GiveAwayForTesting(const CString& path) {
  return ::geteuid() == 0 && ::lchown(ToNativePath(path).c_str(), 65534, 65534) == 0;
}

bool SetLastWriteTimeForTesting(const CString& path, uint64_t time) {
  if (time < CFileTime::kUnixEpoch) return false;
  const uint64_t since = time - CFileTime::kUnixEpoch;
  struct timespec times[2] {};
  times[0].tv_sec = static_cast<time_t>(since / CFileTime::kSecond);
  times[0].tv_nsec = static_cast<long>(since % CFileTime::kSecond) * 100;
  times[1] = times[0];
  return ::utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool MakeFifoForTesting(const CString& path) { return ::mkfifo(ToNativePath(path).c_str(), 0600) == 0; }

CString OtherVolumeForTesting() {
  struct stat here {}, there {};
  if (::stat(".", &here) != 0 || ::stat("/dev/shm", &there) != 0) return CString();
  if (!S_ISDIR(there.st_mode) || there.st_dev == here.st_dev || ::access("/dev/shm", W_OK) != 0) return CString();
  return L"/dev/shm";
}
