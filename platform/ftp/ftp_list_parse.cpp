#include "platform/ftp/ftp_list_parse.h"

#include <cstring>

#include "platform/posix_text.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The UTC year of a time in 100-ns since 1601.
int YearOf(uint64_t time) {
  const int64_t days = static_cast<int64_t>(time / kTicksPerSecond / kSecondsPerDay) - kDaysFrom1601To1970;
  int year = static_cast<int>(1970 + days / 365);
  while (DaysFromCivil(year, 1, 1) > days) --year;
  while (DaysFromCivil(year + 1, 1, 1) <= days) ++year;
  return year;
}

wchar_t Latin1(unsigned char c) { return static_cast<wchar_t>(c); }

CString DecodeName(const std::string& bytes) { return DecodeUtf8(bytes.data(), bytes.size(), Latin1); }

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

bool IsDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Digits only, and no overflow of 64 bits.
bool ParseSize(const std::string& text, uint64_t& size) {
  if (!IsDigits(text) || text.size() > 20) return false;
  uint64_t value = 0;
  for (const char c : text) {
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  size = value;
  return true;
}

int Number(const std::string& text, size_t at, size_t length) { return std::stoi(text.substr(at, length)); }

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// "YYYYMMDDHHMMSS" with an optional ".fraction"; 0 when malformed.
uint64_t ParseFactTime(const std::string& text) {
  const size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  if (whole.size() != 14 || !IsDigits(whole)) return 0;
  const uint64_t base = FtpFileTime(Number(whole, 0, 4), Number(whole, 4, 2), Number(whole, 6, 2), Number(whole, 8, 2),
                                    Number(whole, 10, 2), Number(whole, 12, 2));
  if (base == 0 || dot == std::string::npos) return base;
  const std::string fraction = text.substr(dot + 1);
  if (!IsDigits(fraction)) return 0;
  uint64_t ticks = 0;
  for (size_t i = 0; i < 7; ++i)
    ticks = ticks * 10 + (i < fraction.size() ? static_cast<uint64_t>(fraction[i] - '0') : 0);
  return base + ticks;
}

// Applies one "fact=value" of an MLSD line; false when it says the line is
// no entry (cdir, pdir).
bool ApplyFact(const std::string& fact, CFtpListEntry& entry) {
  const size_t equals = fact.find('=');
  if (equals == std::string::npos) return true;
  const std::string name = Lower(fact.substr(0, equals));
  const std::string value = fact.substr(equals + 1);
  if (name == "type") {
    const std::string type = Lower(value);
    if (type == "cdir" || type == "pdir") return false;
    if (type == "dir")
      entry.nAttributes = FILE_ATTRIBUTE_DIRECTORY;
    else if (type.compare(0, 13, "os.unix=slink") == 0 || type.compare(0, 15, "os.unix=symlink") == 0)
      entry.nAttributes = FILE_ATTRIBUTE_REPARSE_POINT;
  } else if (name == "size") {
    ParseSize(value, entry.nSize);
  } else if (name == "modify") {
    entry.nLastWriteTime = ParseFactTime(value);
  } else if (name == "create") {
    entry.nCreationTime = ParseFactTime(value);
  }
  return true;
}

struct CToken {
  size_t nBegin;
  size_t nEnd;
};

std::vector<CToken> Tokens(const std::string& line) {
  std::vector<CToken> tokens;
  size_t at = 0;
  while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
    size_t end = line.find(' ', at);
    if (end == std::string::npos) end = line.size();
    tokens.push_back({at, end});
    at = end;
  }
  return tokens;
}

// 1..12 for an English month abbreviation, else 0.
int MonthNumber(const std::string& text) {
  static const char kMonths[] = "janfebmaraprmayjunjulaugsepoctnovdec";
  if (text.size() != 3) return 0;
  const char* found = std::strstr(kMonths, Lower(text).c_str());
  return found && (found - kMonths) % 3 == 0 ? static_cast<int>((found - kMonths) / 3 + 1) : 0;
}

// "drwxr-xr-x" and the like, possibly followed by an ACL mark.
bool IsModeText(const std::string& text) {
  if (text.size() < 10 || std::strchr("-dlbcps", text[0]) == nullptr) return false;
  return text.find_first_not_of("-rwxsStTlL", 1) >= 10;
}

// The time of "Mar  5 06:07" (year from now) or "Mar  5  2023".
uint64_t ListTime(int month, const std::string& day, const std::string& yearOrTime, uint64_t now) {
  const int dayNumber = std::stoi(day);
  if (yearOrTime.size() == 4 && IsDigits(yearOrTime))
    return FtpFileTime(std::stoi(yearOrTime), month, dayNumber, 0, 0, 0);
  if (yearOrTime.size() != 5 || yearOrTime[2] != ':' || !IsDigits(yearOrTime.substr(0, 2)) ||
      !IsDigits(yearOrTime.substr(3)))
    return 0;
  const int hour = Number(yearOrTime, 0, 2);
  const int minute = Number(yearOrTime, 3, 2);
  const int year = YearOf(now);
  const uint64_t time = FtpFileTime(year, month, dayNumber, hour, minute, 0);
  if (time != 0 && time <= now + kSecondsPerDay * kTicksPerSecond) return time;
  return FtpFileTime(year - 1, month, dayNumber, hour, minute, 0);
}

}  // namespace

uint64_t FtpFileTime(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1601 || year > 30000 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
    return 0;
  const int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kDaysFrom1601To1970;
  const uint64_t seconds =
      static_cast<uint64_t>(days) * kSecondsPerDay + static_cast<uint64_t>(hour * 3600 + minute * 60 + second);
  return seconds * kTicksPerSecond;
}

bool ParseMlsdLine(const std::string& line, CFtpListEntry& entry) {
  const size_t blank = line.find(' ');
  if (blank == std::string::npos) return false;
  const std::string name = line.substr(blank + 1);
  if (name.empty() || IsDots(name)) return false;
  entry = CFtpListEntry();
  entry.nAttributes = FILE_ATTRIBUTE_NORMAL;
  size_t at = 0;
  while (at < blank) {
    size_t end = line.find(';', at);
    if (end == std::string::npos || end > blank) end = blank;
    if (!ApplyFact(line.substr(at, end - at), entry)) return false;
    at = end + 1;
  }
  entry.strName = DecodeName(name);
  return true;
}

bool ParseUnixListLine(const std::string& line, uint64_t now, CFtpListEntry& entry) {
  const std::vector<CToken> tokens = Tokens(line);
  const auto text = [&](size_t i) { return line.substr(tokens[i].nBegin, tokens[i].nEnd - tokens[i].nBegin); };
  if (tokens.size() < 7 || !IsModeText(text(0))) return false;
  // The size, month, day and time or year are the first such run after the
  // mode, links and owner; the name is all that follows its one blank.
  for (size_t i = 3; i + 2 < tokens.size(); ++i) {
    const int month = MonthNumber(text(i));
    const std::string day = text(i + 1);
    if (month == 0 || !IsDigits(day) || day.size() > 2 || tokens[i + 2].nEnd >= line.size()) continue;
    uint64_t size = 0;
    if (!ParseSize(text(i - 1), size)) continue;
    std::string name = line.substr(tokens[i + 2].nEnd + 1);
    const char kind = line[0];
    if (kind == 'l') name = name.substr(0, name.find(" -> "));
    if (name.empty() || IsDots(name)) return false;
    entry = CFtpListEntry();
    entry.strName = DecodeName(name);
    entry.nSize = size;
    entry.nAttributes = kind == 'd'   ? FILE_ATTRIBUTE_DIRECTORY
                        : kind == 'l' ? FILE_ATTRIBUTE_REPARSE_POINT
                                      : FILE_ATTRIBUTE_NORMAL;
    entry.nLastWriteTime = ListTime(month, day, text(i + 2), now);
    return true;
  }
  return false;
}

CFtpListReader::CFtpListReader(bool mlsd, uint64_t now, std::vector<CFtpListEntry>& entries)
    : m_bMlsd(mlsd), m_nNow(now), m_entries(entries) {}

void CFtpListReader::Feed(const char* bytes, size_t length) {
  for (const char* end = bytes + length; bytes < end;) {
    const char* newline = static_cast<const char*>(std::memchr(bytes, '\n', static_cast<size_t>(end - bytes)));
    const char* stop = newline ? newline : end;
    const size_t piece = static_cast<size_t>(stop - bytes);
    if (!m_bOverlong && m_strLine.size() + piece <= kMaxLine)
      m_strLine.append(bytes, piece);
    else
      m_bOverlong = true;
    if (newline) TakeLine();
    bytes = newline ? newline + 1 : end;
  }
}

void CFtpListReader::Finish() {
  if (!m_strLine.empty() || m_bOverlong) TakeLine();
}

void CFtpListReader::TakeLine() {
  if (!m_bOverlong) {
    if (!m_strLine.empty() && m_strLine.back() == '\r') m_strLine.pop_back();
    CFtpListEntry entry;
    if (m_bMlsd ? ParseMlsdLine(m_strLine, entry) : ParseUnixListLine(m_strLine, m_nNow, entry))
      m_entries.push_back(std::move(entry));
  }
  m_strLine.clear();
  m_bOverlong = false;
}
