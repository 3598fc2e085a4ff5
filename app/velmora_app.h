// CVelmoraApp: the application object and its life cycle. InitInstance
// registers the common controls, sets the settings key, opens the log in the
// user's personal documents folder, writes the start record and runs the
// main part (Velmora.exe: the modal dialog; the console program: one
// command); ExitInstance writes the exit record, flushes and closes the log.
// theApp is the one object of the process.
#pragma once

#include <functional>

#include "app/settings.h"
#include "platform/cstring.h"
#include "platform/sys/profile.h"

class CVelmoraApp {
 public:
  // The part of the program that runs between the start and the exit
  // record; its result becomes the process's exit code.
  using MainProc = std::function<int(CVelmoraApp& app)>;

  explicit CVelmoraApp(const CString& appName);
  virtual ~CVelmoraApp() = default;
  CVelmoraApp(const CVelmoraApp&) = delete;
  CVelmoraApp& operator=(const CVelmoraApp&) = delete;

  // Start-up through the main part. Returns false: there is no message loop
  // of the application's own, so ExitInstance follows at once.
  virtual bool InitInstance();
  // Exit record, flush, close. Returns the main part's exit code.
  virtual int ExitInstance();
  // The whole life of the program: InitInstance, then ExitInstance;
  // returns the exit code.
  int Run();

  // Places the settings under the company's key.
  void SetRegistryKey(const CString& company) { m_strRegistryKey = company; }
  // The settings store of this application.
  CProfile GetProfile() const { return CProfile(m_strRegistryKey, m_strAppName); }
  // Leaves the log file and the settings file out of every walk from now
  // on: a run never moves the record of its own moves.
  void LeaveOwnFilesOutOfWalks() const;
  // The log file: the personal documents folder (or m_strLogFolder when it
  // is set; the home folder when there is no documents folder) followed by
  // "Velmora.log"; empty when there is no such folder at all.
  CString GetLogPath() const;

  CString m_strAppName;
  CString m_strRegistryKey;  // empty until SetRegistryKey
  CString m_strLogFolder;    // empty: the personal documents folder
  MainProc m_fnMain;
  int m_nExitCode = 0;
};

extern CVelmoraApp theApp;
