#include "platform/ftp/ftp_listing.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/ftp/ftp_url.h"

namespace {

CString Widen(const std::string& bytes, UINT codePage, DWORD flags = 0) {
  if (bytes.empty()) return CString();
  const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return CString();
  CString text(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
  return text;
}

// flags and usedDefault as WideCharToMultiByte takes them (none for UTF-8).
std::string Narrow(const CString& text, UINT codePage, DWORD flags = 0, BOOL* usedDefault = nullptr) {
  if (text.empty()) return std::string();
  const int length = ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, usedDefault);
  if (length <= 0) return std::string();
  std::string bytes(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), &bytes[0], length, nullptr,
                        usedDefault);
  return bytes;
}

// WinINet turns names into the server's bytes and back with the ANSI code
// page, while FTP servers today speak UTF-8 (FEAT "UTF8"). The text WinINet
// is given stands for the UTF-8 bytes when the ANSI code page carries them
// there and back unchanged; else the name goes as it is.
CString ToWinInet(const std::string& utf8) {
  const CString ansi = Widen(utf8, CP_ACP);
  return Narrow(ansi, CP_ACP) == utf8 ? ansi : Widen(utf8, CP_UTF8);
}

// The reverse for a listed name: its ANSI bytes read as UTF-8 when they are
// valid UTF-8, else the name as WinINet gave it.
CString FromWinInet(const CString& name) {
  BOOL usedDefault = FALSE;
  const std::string bytes = Narrow(name, CP_ACP, WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault || bytes.empty()) return name;
  const CString utf8 = Widen(bytes, CP_UTF8, MB_ERR_INVALID_CHARS);
  return utf8.empty() ? name : utf8;
}

uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

CFtpListEntry EntryOf(const WIN32_FIND_DATAW& data) {
  CFtpListEntry entry;
  entry.strName = FromWinInet(data.cFileName);
  entry.nSize = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  entry.nCreationTime = FileTimeValue(data.ftCreationTime);
  entry.nLastAccessTime = FileTimeValue(data.ftLastAccessTime);
  entry.nLastWriteTime = FileTimeValue(data.ftLastWriteTime);
  // Some WinINet versions (Wine's) give a plain file no bit at all.
  entry.nAttributes = data.dwFileAttributes != 0 ? data.dwFileAttributes : FILE_ATTRIBUTE_NORMAL;
  return entry;
}

// The last WinINet failure of this thread as a code and a line of text: the
// server's own reply for an extended error.
CFtpListError LastError() {
  CFtpListError error;
  error.nCode = static_cast<long>(::GetLastError());
  wchar_t buffer[1024] = L"";
  DWORD length = 0;
  if (error.nCode == ERROR_INTERNET_EXTENDED_ERROR) {
    DWORD serverCode = 0;
    length = sizeof buffer / sizeof buffer[0];
    if (!::InternetGetLastResponseInfoW(&serverCode, buffer, &length)) length = 0;
  } else {
    length = ::FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                              ::GetModuleHandleW(L"wininet.dll"), static_cast<DWORD>(error.nCode), 0, buffer,
                              sizeof buffer / sizeof buffer[0], nullptr);
  }
  error.strText.assign(buffer, length);
  while (!error.strText.empty() && (error.strText.back() == L'\n' || error.strText.back() == L'\r' ||
                                    error.strText.back() == L' ' || error.strText.back() == L'.'))
    error.strText.pop_back();
  if (error.strText.empty()) error.strText = L"WinINet error " + std::to_wstring(error.nCode);
  return error;
}

struct CInternetHandle {
  explicit CInternetHandle(HINTERNET handle) : h(handle) {}
  ~CInternetHandle() {
    if (h) ::InternetCloseHandle(h);
  }
  CInternetHandle(const CInternetHandle&) = delete;
  CInternetHandle& operator=(const CInternetHandle&) = delete;
  HINTERNET h;
};

void SetTimeouts(HINTERNET session, const CFtpListLimits& limits) {
  DWORD connect = limits.nConnectMs;
  DWORD transfer = limits.nTransferMs;
  DWORD retries = 1;
  ::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  ::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
  for (const DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                             INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    ::InternetSetOptionW(session, option, &transfer, sizeof transfer);
}

// The whole listing with WinINet's blocking calls, on the calling thread.
bool ListBlocking(const CFtpUrl& parts, const CFtpListLimits& limits, std::vector<CFtpListEntry>& entries,
                  CFtpListError& error) {
  CInternetHandle session(::InternetOpenW(L"Velmora", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session.h) return error = LastError(), false;
  SetTimeouts(session.h, limits);
  std::string host = parts.strHost;
  if (host.size() > 2 && host.front() == '[') host = host.substr(1, host.size() - 2);
  const bool anonymous = parts.strUser.empty();
  const CString user = ToWinInet(parts.strUser);
  const CString password = ToWinInet(parts.strPassword);
  CInternetHandle connection(
      ::InternetConnectW(session.h, Widen(host, CP_UTF8).c_str(), parts.nPort, anonymous ? nullptr : user.c_str(),
                         anonymous ? nullptr : password.c_str(), INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0));
  if (!connection.h) return error = LastError(), false;
  std::string folder;
  for (const std::string& name : parts.folders) folder += (folder.empty() ? "" : "/") + name;
  if (!folder.empty() && !::FtpSetCurrentDirectoryW(connection.h, ToWinInet(folder).c_str()))
    return error = LastError(), false;

  WIN32_FIND_DATAW data{};
  CInternetHandle find(::FtpFindFirstFileW(connection.h, nullptr, &data, INTERNET_FLAG_RELOAD, 0));
  if (!find.h) {
    // An empty folder; Wine says so with no error code at all.
    const DWORD code = ::GetLastError();
    if (code == ERROR_NO_MORE_FILES || code == ERROR_SUCCESS) return true;
    return error = LastError(), false;
  }
  do {
    const CString name = data.cFileName;
    if (name != L"." && name != L"..") entries.push_back(EntryOf(data));
  } while (::InternetFindNextFileW(find.h, &data));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return error = LastError(), false;
  return true;
}

// What a listing thread hands back; shared, because a listing that runs
// out of time is left to end on its own.
struct CListingJob {
  std::mutex mutex;
  std::condition_variable finished;
  bool bFinished = false;
  bool bListed = false;
  std::vector<CFtpListEntry> entries;
  CFtpListError error;
};

// WinINet's blocking calls do not all honour its time-out options (Wine's
// connect and greeting wait do not), so the listing runs on a thread of its
// own and the caller stops waiting at the deadline.
bool ListUntil(const CFtpUrl& parts, const CFtpListLimits& limits, std::chrono::steady_clock::time_point deadline,
               std::vector<CFtpListEntry>& entries, CFtpListError& error) {
  auto job = std::make_shared<CListingJob>();
  try {
    std::thread([job, parts, limits] {
      std::vector<CFtpListEntry> found;
      CFtpListError why;
      const bool listed = ListBlocking(parts, limits, found, why);
      std::lock_guard<std::mutex> lock(job->mutex);
      job->bListed = listed;
      job->entries.swap(found);
      job->error = why;
      job->bFinished = true;
      job->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    error.nCode = ERROR_NOT_ENOUGH_MEMORY;
    error.strText = L"No thread for the FTP listing";
    return false;
  }
  std::unique_lock<std::mutex> lock(job->mutex);
  if (!job->finished.wait_until(lock, deadline, [&] { return job->bFinished; })) {
    error.nCode = ERROR_INTERNET_TIMEOUT;
    error.strText = L"The FTP server did not answer in time";
    return false;
  }
  if (!job->bListed) return error = job->error, false;
  entries.swap(job->entries);
  return true;
}

}  // namespace

bool ListFtpFolder(const CString& url, const CFtpListLimits& limits, std::vector<CFtpListEntry>& entries,
                   CFtpListError* error) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<uint64_t>(limits.nConnectMs) + limits.nTransferMs);
  CFtpListError failure;
  CFtpUrl parts;
  if (!ParseFtpUrl(Narrow(url, CP_UTF8), parts)) {
    failure.nCode = ERROR_INTERNET_INVALID_URL;
    failure.strText = L"Not an FTP URL: " + url;
  } else if (ListUntil(parts, limits, deadline, entries, failure)) {
    return true;
  }
  if (error) *error = failure;
  return false;
}
