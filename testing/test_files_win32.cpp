#include "testing/test_files.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fs/win32_long_path.h"

namespace {

CString Windows(CString path) {
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// What the OS calls take: the names exactly as the test wrote them.
CString OsPath(const CString& path) { return LongPathOf(Windows(path)); }

bool RemoveItem(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  ::SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ::DeleteFileW(path.c_str()) != FALSE;
  bool ok = true;
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW data{};
    HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const CString name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        ok = RemoveItem(path + L"\\" + name) && ok;
      } while (::FindNextFileW(h, &data));
      ::FindClose(h);
    }
  }
  return ::RemoveDirectoryW(path.c_str()) != FALSE && ok;
}

// A Wine export that names the Unix file of a Windows path (or back), in
// memory of the process heap; null outside Wine.
using CWineFileName = char*(CDECL*)(const wchar_t*);
using CWineDosName = wchar_t*(CDECL*)(const char*);

template <typename Function>
Function WineExport(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

CString FromUtf8(const char* text) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  CString wide(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], n);
  return wide;
}

// The Unix file of a Windows path, or empty.
CString UnixFileName(const CString& path) {
  const auto toUnix = WineExport<CWineFileName>("wine_get_unix_file_name");
  char* name = toUnix != nullptr ? toUnix(OsPath(path).c_str()) : nullptr;
  if (name == nullptr) return CString();
  const CString wide = FromUtf8(name);
  ::HeapFree(::GetProcessHeap(), 0, name);
  return wide;
}

// The Windows name of a Unix file, or empty outside Wine.
CString DosFileName(const CString& unixName) {
  const auto toDos = WineExport<CWineDosName>("wine_get_dos_file_name");
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, unixName.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (toDos == nullptr || n <= 0) return CString();
  std::string narrow(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, unixName.c_str(), -1, &narrow[0], n, nullptr, nullptr);
  wchar_t* dosName = toDos(narrow.c_str());
  if (dosName == nullptr) return CString();
  const CString wide = dosName;
  ::HeapFree(::GetProcessHeap(), 0, dosName);
  return wide;
}

// Runs a Unix program (Wine starts one like any other) and waits for it.
bool RunUnixProgram(const CString& program, CString commandLine) {
  const CString dosName = DosFileName(program);
  if (dosName.empty()) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(dosName.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    return false;
  ::WaitForSingleObject(process.hProcess, 10000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

const wchar_t kNoDocumentsKey[] = L"Software\\VelmoraNoDocumentsTest";

CString NoDocumentsKey() { return CString(kNoDocumentsKey) + L"\\" + std::to_wstring(::GetCurrentProcessId()); }

}  // namespace

CScopedTempFolder::CScopedTempFolder(const CString& base) {
  static std::atomic<int> counter{0};
  CString root = base;
  if (root.empty()) {
    wchar_t buffer[MAX_PATH + 1] = {0};
    if (::GetTempPathW(MAX_PATH + 1, buffer) == 0) return;
    root = buffer;
    if (!root.empty() && root.back() == L'\\') root.pop_back();
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const CString path = root + L"\\vtmp_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                         std::to_wstring(counter++);
    if (::CreateDirectoryW(path.c_str(), nullptr)) {
      m_strPath = path;
      return;
    }
  }
}

CScopedTempFolder::~CScopedTempFolder() {
  if (IsValid()) RemoveTreeForTesting(m_strPath);
}

CString CScopedTempFolder::operator/(const CString& relative) const { return m_strPath + L"\\" + Windows(relative); }

CScopedEnvironment::CScopedEnvironment(const CString& name, const CString& value) : m_strName(name) {
  if (const wchar_t* old = ::_wgetenv(name.c_str())) {
    m_bHadOld = true;
    m_strOld = old;
  }
  ::_wputenv_s(name.c_str(), value.c_str());
}

CScopedEnvironment::~CScopedEnvironment() { ::_wputenv_s(m_strName.c_str(), m_bHadOld ? m_strOld.c_str() : L""); }

bool MakeFoldersForTesting(const CString& path) {
  const CString p = Windows(path);
  const DWORD attributes = ::GetFileAttributesW(OsPath(p).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const size_t slash = p.find_last_of(L'\\');
  if (slash != CString::npos && slash > 2 && !MakeFoldersForTesting(p.substr(0, slash))) return false;
  return ::CreateDirectoryW(OsPath(p).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteFileForTesting(const CString& path, const std::string& bytes) {
  const CString p = Windows(path);
  const size_t slash = p.find_last_of(L'\\');
  if (slash != CString::npos && !MakeFoldersForTesting(p.substr(0, slash))) return false;
  HANDLE h =
      ::CreateFileW(OsPath(p).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                    written == bytes.size());
  ::CloseHandle(h);
  return ok;
}

bool ReadFileForTesting(const CString& path, std::string& bytes) {
  HANDLE h = ::CreateFileW(OsPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  std::vector<char> buffer(65536);
  DWORD got = 0;
  while (::ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
    bytes.append(buffer.data(), got);
  ::CloseHandle(h);
  return true;
}

bool ExistsForTesting(const CString& path) {
  return ::GetFileAttributesW(OsPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveTreeForTesting(const CString& path) { return RemoveItem(OsPath(path)); }

bool MakeLinkForTesting(const CString& target, const CString& link, bool toFolder) {
  const DWORD flags = (toFolder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | 0x2;  // allow unprivileged creation
  if (!::CreateSymbolicLinkW(Windows(link).c_str(), Windows(target).c_str(), flags)) return false;
  // Some implementations report success without making anything.
  const DWORD attributes = ::GetFileAttributesW(Windows(link).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool MakeUnixLinkForTesting(const CString& target, const CString& link) {
  const CString unixTarget = UnixFileName(target), unixLink = UnixFileName(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  if (!RunUnixProgram(L"/bin/ln", L"ln -s \"" + unixTarget + L"\" \"" + unixLink + L"\"")) return false;
  // Wine may not wait for a Unix child: the link is there once ln has run.
  for (int i = 0; i < 100 && !ExistsForTesting(link); ++i) ::Sleep(50);
  const DWORD attributes = ::GetFileAttributesW(OsPath(link).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

CScopedNetworkShare::CScopedNetworkShare() {
  // Wine keeps its drives as links in dosdevices, and network paths in its
  // unc folder.
  const CString drive = UnixFileName(L"C:\\");
  const size_t at = drive.rfind(L"/c:");
  if (at == CString::npos) return;
  const CString server = L"velmora-" + std::to_wstring(::GetCurrentProcessId());
  const CString local = DosFileName(drive.substr(0, at) + L"/unc/" + server);
  if (local.empty() || !MakeFoldersForTesting(local + L"\\share")) return;
  m_strServer = local;
  m_strPath = L"\\\\" + server + L"\\share";
}

CScopedNetworkShare::~CScopedNetworkShare() {
  if (!m_strServer.empty()) RemoveTreeForTesting(m_strServer);
}

CScopedNoDocumentsFolder::CScopedNoDocumentsFolder() {
  const CString shellFolders =
      NoDocumentsKey() + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, shellFolders.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExW(key, L"Personal", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
  ::RegCloseKey(key);
  HKEY root = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, NoDocumentsKey().c_str(), 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) return;
  if (::RegOverridePredefKey(HKEY_CURRENT_USER, root) == ERROR_SUCCESS)
    m_pKey = root;
  else
    ::RegCloseKey(root);
}

CScopedNoDocumentsFolder::~CScopedNoDocumentsFolder() {
  if (m_pKey != nullptr) {
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(static_cast<HKEY>(m_pKey));
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, NoDocumentsKey().c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kNoDocumentsKey);  // when no other test holds one
}

bool SetLastWriteTimeForTesting(const CString& path, uint64_t time) {
  const HANDLE file = ::CreateFileW(OsPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  const bool set = ::SetFileTime(file, nullptr, &stamp, &stamp) != 0;
  ::CloseHandle(file);
  return set;
}

// Windows has no FIFOs in the file system.
bool MakeFifoForTesting(const CString&) { return false; }

// Folder permissions do not bind a Windows process the way the tests need
// (the read-only attribute of a folder does not stop moves).

bool GiveAwayForTesting(const CString&) { return false; }

CString OtherVolumeForTesting() { return CString(); }
