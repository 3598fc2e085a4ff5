// The parts of an FTP URL as ListFtpFolder reads it (ftp_listing.h). Pure
// text work on UTF-8 bytes, shared by the WinINet and the libcurl listing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Each text in UTF-8, its "%XX" escapes decoded.
struct CFtpUrl {
  std::string strUser;  // empty: anonymous
  std::string strPassword;
  std::string strHost;  // an IPv6 address keeps its brackets
  uint16_t nPort = 21;
  // The folder to list, one name per step down from the login folder; empty
  // for the login folder itself.
  std::vector<std::string> folders;
};

// Splits url: "ftp://[user[:password]@]host[:port][/folder/...[/pattern]]".
// The scheme may be in any case; empty steps ("a//b") are dropped, and a
// final "*" or "*.*" (every entry) or an empty final part is no folder.
// Returns false, leaving parts unspecified, when url is not of that form:
// another scheme, no host, a port that is not 1 to 65535, or a control
// character (CR, LF, NUL, ...) anywhere after decoding, which would end an
// FTP command early.
bool ParseFtpUrl(const std::string& url, CFtpUrl& parts);
