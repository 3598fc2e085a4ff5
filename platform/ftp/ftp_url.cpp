#include "platform/ftp/ftp_url.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes "%XX"; a '%' without two hex digits stays as it is. False when the
// result holds a control character.
bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      c = static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    out += c;
  }
  return true;
}

bool ParsePort(const std::string& text, uint16_t& port) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  port = static_cast<uint16_t>(value);
  return true;
}

// "host", "host:port", "[v6]" or "[v6]:port".
bool ParseHostAndPort(const std::string& text, CFtpUrl& parts) {
  const size_t close = !text.empty() && text[0] == '[' ? text.find(']') : 0;
  if (close == std::string::npos) return false;
  const size_t colon = text.find(':', close);
  if (close > 0 && close + 1 != text.size() && close + 1 != colon) return false;
  parts.strHost = text.substr(0, colon);
  parts.nPort = 21;
  if (colon != std::string::npos && !ParsePort(text.substr(colon + 1), parts.nPort)) return false;
  if (parts.strHost.empty() || parts.strHost == "[]") return false;
  for (const char c : parts.strHost)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  return true;
}

bool ParseUserInfo(const std::string& text, CFtpUrl& parts) {
  const size_t colon = text.find(':');
  return Unescape(text.substr(0, colon), parts.strUser) &&
         (colon == std::string::npos || Unescape(text.substr(colon + 1), parts.strPassword));
}

bool ParseFolders(const std::string& path, CFtpUrl& parts) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string step = path.substr(start, end - start);
    const bool last = end == path.size();
    if (!step.empty() && !(last && (step == "*" || step == "*.*"))) {
      std::string name;
      if (!Unescape(step, name)) return false;
      parts.folders.push_back(name);
    }
    start = end + 1;
  }
  return true;
}

bool StartsWithScheme(const std::string& url) {
  static const char kScheme[] = "ftp://";
  if (url.size() < sizeof kScheme - 1) return false;
  for (size_t i = 0; i + 1 < sizeof kScheme; ++i) {
    const char c = url[i] >= 'A' && url[i] <= 'Z' ? static_cast<char>(url[i] - 'A' + 'a') : url[i];
    if (c != kScheme[i]) return false;
  }
  return true;
}

}  // namespace

bool ParseFtpUrl(const std::string& url, CFtpUrl& parts) {
  parts = CFtpUrl();
  if (!StartsWithScheme(url)) return false;
  const size_t begin = 6;
  const size_t slash = url.find('/', begin);
  const std::string authority = url.substr(begin, slash == std::string::npos ? std::string::npos : slash - begin);
  // A password may hold '@' unescaped: the host follows the last one.
  const size_t at = authority.rfind('@');
  if (at != std::string::npos && !ParseUserInfo(authority.substr(0, at), parts)) return false;
  if (!ParseHostAndPort(authority.substr(at == std::string::npos ? 0 : at + 1), parts)) return false;
  return slash == std::string::npos || ParseFolders(url.substr(slash + 1), parts);
}
