#include "platform/ftp/ftp_listing.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>

#include "platform/encoding.h"
#include "platform/fs/file_time.h"
#include "platform/ftp/ftp_list_parse.h"
#include "platform/ftp/ftp_url.h"

namespace {

using Clock = std::chrono::steady_clock;
using CurlPointer = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

uint64_t NowAsFileTime() {
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  return CFileTime::kUnixEpoch +
         static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since1970).count()) * 10;
}

bool Fail(CFtpListError* error, long code, const CString& text) {
  if (error) {
    error->nCode = code;
    error->strText = text;
  }
  return false;
}

// The URL libcurl lists: every folder name escaped, ending in "/".
std::string CurlUrl(CURL* curl, const CFtpUrl& parts) {
  std::string url = "ftp://" + parts.strHost + ":" + std::to_string(parts.nPort) + "/";
  for (const std::string& folder : parts.folders) {
    char* escaped = curl_easy_escape(curl, folder.data(), static_cast<int>(folder.size()));
    if (escaped == nullptr) return std::string();
    url += escaped;
    url += '/';
    curl_free(escaped);
  }
  return url;
}

// Replies 500 to 504 (RFC 959): the server does not know or offer the command.
bool IsUnknownCommand(long reply) { return reply >= 500 && reply <= 504; }

size_t OnListingBytes(char* bytes, size_t size, size_t count, void* reader) {
  static_cast<CFtpListReader*>(reader)->Feed(bytes, size * count);
  return size * count;
}

// One listing with MLSD or LIST on an easy handle set up for the server,
// within what is left until deadline.
CURLcode Perform(CURL* curl, bool mlsd, const CFtpListLimits& limits, Clock::time_point deadline,
                 std::vector<CFtpListEntry>& entries) {
  const long left =
      static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
  if (left <= 0) return CURLE_OPERATION_TIMEDOUT;
  entries.clear();
  CFtpListReader reader(mlsd, NowAsFileTime(), entries);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reader);
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, mlsd ? "MLSD" : nullptr);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, left);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, std::min(left, static_cast<long>(limits.nConnectMs)));
  const CURLcode code = curl_easy_perform(curl);
  if (code == CURLE_OK) reader.Finish();
  return code;
}

}  // namespace

bool ListFtpFolder(const CString& url, const CFtpListLimits& limits, std::vector<CFtpListEntry>& entries,
                   CFtpListError* error) {
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(static_cast<uint64_t>(limits.nConnectMs) + limits.nTransferMs);
  CFtpUrl parts;
  if (!ParseFtpUrl(NarrowToUtf8(url), parts)) return Fail(error, CURLE_URL_MALFORMAT, L"Not an FTP URL: " + url);

  static std::once_flag initialized;
  std::call_once(initialized, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  CurlPointer curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return Fail(error, CURLE_FAILED_INIT, WidenFromAnsi(curl_easy_strerror(CURLE_FAILED_INIT)));
  const std::string address = CurlUrl(curl.get(), parts);
  if (address.empty()) return Fail(error, CURLE_OUT_OF_MEMORY, WidenFromAnsi(curl_easy_strerror(CURLE_OUT_OF_MEMORY)));

  char message[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, message);
  // No SIGALRM for name look-ups: the caller may have threads.
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, OnListingBytes);
  if (!parts.strUser.empty()) {
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, parts.strUser.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, parts.strPassword.c_str());
  }

  std::vector<CFtpListEntry> found;
  CURLcode code = Perform(curl.get(), true, limits, deadline, found);
  long reply = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &reply);
  // A server without MLSD refuses it on the open connection: list again with LIST.
  if (code == CURLE_FTP_COULDNT_RETR_FILE && IsUnknownCommand(reply)) {
    message[0] = '\0';
    code = Perform(curl.get(), false, limits, deadline, found);
  }
  if (code != CURLE_OK)
    return Fail(error, code, WidenFromAnsi(message[0] != '\0' ? message : curl_easy_strerror(code)));
  entries.swap(found);
  return true;
}
