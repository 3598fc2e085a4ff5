// The lines of an FTP folder listing as the libcurl listing receives them:
// MLSD facts (RFC 3659) or the Unix "ls -l" form of LIST. Pure text work,
// built with the POSIX layer, whose UTF-8 decoding it uses: names are UTF-8,
// and a byte that starts no valid sequence stands for itself (Latin-1), so a
// server in another 8-bit encoding still gives readable names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ftp/ftp_listing.h"

// 100-ns intervals since 1601-01-01 for a UTC date and time, or 0 when the
// date does not exist or lies before 1601.
uint64_t FtpFileTime(int year, int month, int day, int hour, int minute, int second);

// One MLSD line, without its line end: "fact=value;...; name". Reads the
// facts type, size, modify and create; a name may hold blanks and ';'.
// Returns false for a line that is no entry of the folder: malformed, "."
// or "..", or of type cdir or pdir.
bool ParseMlsdLine(const std::string& line, CFtpListEntry& entry);

// One LIST line in the Unix form, without its line end:
// "-rw-r--r-- 1 owner group 12 Mar  5 06:07 name" (the group may be absent;
// a link's " -> target" is dropped). A date without a year is the latest
// such date not more than a day after now (100-ns since 1601, UTC). Returns
// false for a line that is no entry: a "total" line, malformed, "." or "..".
bool ParseUnixListLine(const std::string& line, uint64_t now, CFtpListEntry& entry);

// Turns listing bytes, in whatever pieces they arrive, into entries: one per
// line (LF or CRLF) that parses; other lines are skipped. A line longer than
// kMaxLine bytes is skipped too, so a server that never ends a line cannot
// make it grow without bound.
class CFtpListReader {
 public:
  static constexpr size_t kMaxLine = 16384;

  // Appends to entries, which must outlive the reader.
  CFtpListReader(bool mlsd, uint64_t now, std::vector<CFtpListEntry>& entries);

  void Feed(const char* bytes, size_t length);
  // Takes a last line that has no line end.
  void Finish();

 private:
  void TakeLine();

  bool m_bMlsd;
  uint64_t m_nNow;
  std::vector<CFtpListEntry>& m_entries;
  std::string m_strLine;     // the line so far
  bool m_bOverlong = false;  // the line so far passed kMaxLine: skipped
};
