#include "winui/system_folders.h"

#include "platform/sys/process.h"
#include "platform/sys/shell.h"
#include "platform/sys/known_folders.h"

namespace {

// Results are cut to the platform's path buffers (terminator included).
CString Limited(const CString& text) { return text.size() < PlatformMaxPathChars() ? text : CString(); }

}  // namespace

const CString GetCurrentDirectoryW() { return GetProcessCurrentDirectory(PlatformMaxPathChars()); }
const CString GetWindowsDirectoryW() { return Limited(QueryWindowsDirectory()); }
const CString GetSystemDirectoryW() { return Limited(QuerySystemDirectory()); }
const CString GetTempPathW() { return Limited(QueryTempPath()); }
const CString GetComputerNameW() { return Limited(QueryComputerName()); }
const CString GetMyPicturePath() { return Limited(QueryShellFolder(ShellFolder::kPictures)); }
// The desktop's documents item is a virtual folder on current Windows (and
// Wine), where it has no path; it stands for the personal folder there.
const CString GetMyDocumentsPath() {
  const CString item = Limited(QueryShellFolder(ShellFolder::kDocuments));
  return item.empty() ? GetMyPersonalPath() : item;
}
const CString GetMyPersonalPath() { return Limited(QueryShellFolder(ShellFolder::kPersonal)); }
const CString GetAppDataPath() { return Limited(QueryShellFolder(ShellFolder::kAppData)); }
const CString GetSystemDrive() { return DriveOfSystemFolder(GetSystemDirectoryW()); }

const CString GetUserNameW() { return CurrentUserName(); }

void GetLogicalDriveStringsW(CStringArray& drives, bool lettersOnly) { QueryLogicalDrives(drives, lettersOnly); }

void* CWinShell::s_hShellModule = nullptr;

CWinShell::CWinShell(CWnd* pParent)
    : m_pParent(pParent), m_pFirstInterface(nullptr), m_pSecondInterface(nullptr) {
  if (s_hShellModule == nullptr) s_hShellModule = LoadShellLibrary();
}

CWinShell::~CWinShell() {
  if (m_pSecondInterface != nullptr) ReleaseShellInterface(m_pSecondInterface);
  if (m_pFirstInterface != nullptr) ReleaseShellInterface(m_pFirstInterface);
}

void* CWinShell::GetShellModule() { return s_hShellModule; }

void CWinShell::Open(const CString& path) {
  ShellOpen(m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr, path);
}
