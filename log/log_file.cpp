#include "log/log_file.h"

#include <string>

#include "log/os_version.h"
#include "platform/clock.h"
#include "platform/encoding.h"
#include "text/format.h"
#include "platform/process.h"
#include "text/tokens.h"

bool CLogFile::m_bAllowed = true;
bool CLogFile::m_bFail = false;
CFile CLogFile::m_file;
CString CLogFile::m_strFilePathName;
CString CLogFile::m_strLogText;

namespace {

const unsigned kInvalidDateStringId = 0xD800;

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

CLogFile::CLogFile(CString path) { Open(path); }

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
  const bool opened =
      m_file.Open(m_strFilePathName, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
  m_bFail = !opened;
  if (opened) m_file.SeekToEnd();
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

void CLogFile::Add(CString text) { m_strLogText += text; }

void CLogFile::Flush(CString text) {
  if (!text.empty()) m_strLogText += text;
  if (m_strLogText.empty() || !IsReady()) return;
  const std::string bytes = NarrowToAnsi(m_strLogText);
  m_file.Write(bytes.data(), bytes.size());
  m_file.Flush();
  // Only now: a failed write or flush leaves the text for the next try.
  m_strLogText.clear();
}

CString CLogFile::GetTimeStamp() {
  CLocalTime now;
  CString stamp;
  if (GetLocalTimeNow(now) && FormatLocalTime(now, L"'%m/%d/%Y %H:%M:%S'", stamp)) return stamp;
  stamp = LoadProcessString(kInvalidDateStringId);
  return stamp.empty() ? CString(L"Invalid DateTime") : stamp;
}

void CLogFile::Write(CString tag, CString text, bool withTime) {
  const CString time = withTime ? GetTimeStamp() : CString();
  Write(Format(L"%-10s : %s  %-50s%s", tag, time, text, L"\r\n"));
}

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
