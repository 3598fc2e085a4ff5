#include "app/velmora_app.h"

#include "app/engine/walk.h"
#include "log/log_file.h"
#include "platform/ui/common_controls.h"
#include "platform/exception.h"
#include "platform/sys/process.h"
#include "platform/sys/known_folders.h"
#include "winui/system_folders.h"

// Both front ends share one store of settings, so the name is fixed rather
// than taken from the executable's file name.
CVelmoraApp theApp(kApplicationName);

CVelmoraApp::CVelmoraApp(const CString& appName) : m_strAppName(appName) {}

CString CVelmoraApp::GetLogPath() const {
  CString folder = m_strLogFolder.empty() ? CString(GetMyPersonalPath()) : m_strLogFolder;
  // No documents folder (or one too long for the platform's paths): the
  // home folder; with neither, no log at all, never one at a root.
  if (folder.empty()) folder = QueryHomeFolder();
  return folder.empty() ? CString() : folder + PlatformPathSeparator() + L"Velmora.log";
}

void CVelmoraApp::LeaveOwnFilesOutOfWalks() const {
  const CString logPath = GetLogPath();
  if (!logPath.empty()) ExcludeFromWalks(logPath);
  ExcludeFromWalks(GetProfile().GetLocation());
}

bool CVelmoraApp::InitInstance() {
  InitCommonControlClasses(0xFF);  // ICC_WIN95_CLASSES
  SetRegistryKey(kCompanyKey);
  // A log that cannot be opened stays silent. An empty path would open one
  // in the current folder.
  const CString logPath = GetLogPath();
  LeaveOwnFilesOutOfWalks();
  CLogFile log;
  if (!logPath.empty()) log.Open(logPath);
  try {
    log.StartApp(CString());
  } catch (CException* e) {
    // A log whose disk write fails does not stop the program; the record
    // stays pending in the log.
    e->Delete();
  }
  m_nExitCode = m_fnMain ? m_fnMain(*this) : 0;
  return false;
}

int CVelmoraApp::ExitInstance() {
  CLogFile log;
  try {
    log.ExitApp(CString());
    log.Flush(CString());
    log.Close();
  } catch (CException* e) {
    // The file could not be written: it stays open until the process ends,
    // which closes it.
    e->Delete();
  }
  return m_nExitCode;
}

int CVelmoraApp::Run() {
  InitInstance();  // false: no message loop of the application's own
  return ExitInstance();
}
