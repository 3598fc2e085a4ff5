#include "log/log_file.h"

#include <string>

#include "log/os_version.h"
#include "platform/sys/clock.h"
#include "platform/encoding.h"
#include "text/format.h"
#include "platform/sys/process.h"
#include "text/tokens.h"

bool CLogFile::m_bAllowed = true;
bool CLogFile::m_bFail = false;
CFile CLogFile::m_file;
CString CLogFile::m_strFilePathName;
CString CLogFile::m_strLogText;

namespace {

const unsigned kInvalidDateStringId = 0xD800;

// The most text kept pending (about a megabyte of log): a log that cannot be
// written must not take the memory of a long run, some 800 bytes an item.
const size_t kMaxPendingChars = size_t(1) << 20;
const wchar_t kDroppedText[] = L"Later records dropped: the log could not be written";

CString ComposeRecord(const CString& tag, const CString& text, bool withTime) {
  const CString time = withTime ? CLogFile::GetTimeStamp() : CString();
  return Format(L"%-10s : %s  %-50s%s", tag, time, text, L"\r\n");
}

bool EndsWith(const CString& text, const CString& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Appends text to pending unless that passes the cap (a first piece always
// fits); the first piece dropped leaves one record saying so at the end.
void Queue(CString& pending, const CString& text) {
  if (pending.empty() || pending.size() + text.size() <= kMaxPendingChars) {
    pending += text;
    return;
  }
  if (!EndsWith(pending, CString(kDroppedText) + L"\r\n")) pending += ComposeRecord(L"=Log=", kDroppedText, true);
}

// Appends bytes to file, or throws its CFileException* with the file cut back
// to where it ended: a torn record would be continued by the next write. The
// length is read only then (what the file holds less what the failed write
// put in), so that a record costs its write alone.
void AppendWhole(CFile& file, const std::string& bytes) {
  try {
    file.Write(bytes.data(), bytes.size());
  } catch (CFileException*) {
    try {
      const uint64_t length = file.GetLength();
      const uint64_t torn = file.GetLastWritten();
      if (torn > 0 && torn <= length) file.SetLength(length - torn);
    } catch (CFileException* e) {
      e->Delete();  // the caller hears of the write
    }
    throw;
  }
}

// A log whose last line has no line end (a program that died mid-record)
// gets CR LF first, so that the torn line cannot swallow the next record.
// Failures are left to the first record's own write to report.
void EndTornLine(CFile& file) {
  try {
    const uint64_t length = file.GetLength();
    char last = '\n';
    if (length > 0 && file.ReadAt(length - 1, &last, 1) == 1 && last != '\n') AppendWhole(file, "\r\n");
    file.SeekToEnd();
  } catch (CFileException* e) {
    e->Delete();
  }
}

}  // namespace

CString CLogFile::DefaultPathFor(CString programPath, CString folder) {
  CString name = programPath;
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != CString::npos) name.erase(0, slash + 1);
  TrimString(name);
  const size_t dot = name.rfind(L'.');
  if (dot != CString::npos) name.erase(dot);
  name += L".log";
  return folder + PlatformPathSeparator() + name;
}

CLogFile::CLogFile() {}

CLogFile::CLogFile(CString path) { Open(path); }

CLogFile::CLogFile(const CLogFile&) {}

CLogFile& CLogFile::operator=(const CLogFile&) { return *this; }

CLogFile::~CLogFile() {}

void CLogFile::Suspend() { Close(); }

bool CLogFile::Resume() { return Open(m_strFilePathName); }

const CString CLogFile::GetFilePathName() const { return m_strFilePathName; }

long CLogFile::GetOpenError() const { return m_file.m_lOsError; }

bool CLogFile::IsOpen() const { return m_file.m_hFile != CFile::hFileNull; }

bool CLogFile::IsReady() const { return m_bAllowed && !m_bFail && IsOpen(); }

bool CLogFile::Open(CString path) {
  if (m_bFail || !m_bAllowed) return false;
  if (IsOpen()) {
    if (path.empty() && !m_strFilePathName.empty()) return true;
    if (m_strFilePathName == path) return true;
  }
  Close();
  m_strFilePathName = path;
  if (m_strFilePathName.empty())
    m_strFilePathName = DefaultPathFor(GetProcessExecutablePath(), GetProcessCurrentDirectory(260));
  // Read as well as written, for its last byte; never through a link.
  const bool opened = m_file.Open(m_strFilePathName, CFile::modeCreate | CFile::modeNoTruncate |
                                                         CFile::modeReadWrite | CFile::modeOwnFileOnly);
  m_bFail = !opened;
  if (opened) EndTornLine(m_file);
  return opened;
}

void CLogFile::Close() {
  Flush(CString());
  m_file.Close();
  m_bFail = false;
}

void CLogFile::Enable(CString list, CString name) {
  m_bAllowed = false;
  MakeUpper(list);
  MakeUpper(name);
  while (!list.empty()) {
    if (GetToken(list, L"-/ ") == name) {
      m_bAllowed = true;
      break;
    }
  }
}

void CLogFile::Add(CString text) { Queue(m_strLogText, text); }

void CLogFile::Flush(CString text) {
  if (!text.empty()) Queue(m_strLogText, text);
  if (m_strLogText.empty() || !IsReady()) return;
  AppendWhole(m_file, NarrowToAnsiWithPathBytes(m_strLogText));
  // In the file now, even when its disk flush fails: never written twice.
  m_strLogText.clear();
  m_file.Flush();
}

void CLogFile::Write(CString text) { Flush(text); }

CString CLogFile::GetTimeStamp() {
  CLocalTime now;
  CString stamp;
  if (GetLocalTimeNow(now) && FormatLocalTime(now, L"'%m/%d/%Y %H:%M:%S'", stamp)) return stamp;
  stamp = LoadProcessString(kInvalidDateStringId);
  return stamp.empty() ? CString(L"Invalid DateTime") : stamp;
}

void CLogFile::Write(CString tag, CString text, bool withTime) { Write(ComposeRecord(tag, text, withTime)); }

void CLogFile::StartApp(CString text) {
  if (!IsReady()) return;
  Write(L"==Start App", text, true);
  OS();
}

void CLogFile::ExitApp(CString text) {
  if (!IsReady()) return;
  Write(L"==Exit App", text, true);
  Write(CString(L"\r\n"));
}

void CLogFile::OS() {
  if (!IsReady()) return;
  COSVersion os;
  Write(L"=OS=", os.GetVersionString(), false);
}

void CLogFile::Begin(CString text) {
  if (!IsReady()) return;
  Write(L"-Start ", text, true);
}

void CLogFile::End(CString text) { Write(L"-End ", text, true); }

void CLogFile::Log(CString text) { Write(L"... ", text, true); }

CLogFile& CLogFile::operator<<(CString text) {
  Write(text);
  return *this;
}
