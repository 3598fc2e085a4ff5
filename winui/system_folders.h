// Standard folders and names of the machine and the current user, the
// logical drives, and CWinShell, the shell helper that opens a path in the
// system's browser. The functions share their names with the Windows calls
// they wrap. Each returns a path or name of at most 259 characters: a failed
// query, or one whose result would be longer, gives the empty string.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/ui/window.h"

struct IUnknown;

VELMORA_API const CString GetCurrentDirectoryW();
VELMORA_API const CString GetWindowsDirectoryW();  // POSIX: empty
VELMORA_API const CString GetSystemDirectoryW();   // POSIX: empty
// The temporary folder, ending with the separator (POSIX: $TMPDIR or /tmp).
VELMORA_API const CString GetTempPathW();
// The logon name of the current user (POSIX: of the effective user), as
// CurrentUserName (platform/sys/known_folders.h) gives it.
VELMORA_API const CString GetUserNameW();
// The computer name (POSIX: the host name).
VELMORA_API const CString GetComputerNameW();
VELMORA_API const CString GetMyPicturePath();
// The desktop's documents item; the personal folder where that item has no
// path (current Windows) and on POSIX.
VELMORA_API const CString GetMyDocumentsPath();
// The personal documents folder (POSIX: the XDG documents folder when it
// exists, else $HOME).
VELMORA_API const CString GetMyPersonalPath();
// The roaming application-data folder (POSIX: $XDG_CONFIG_HOME or ~/.config).
VELMORA_API const CString GetAppDataPath();
// The drive letter of the system folder, without colon (POSIX: empty).
VELMORA_API const CString GetSystemDrive();

// Appends one entry per logical drive to drives, after what it holds: the
// root (C:\) or, when lettersOnly, the letter (C). On POSIX: the mount points
// of the mounted file systems, with or without lettersOnly.
VELMORA_API void GetLogicalDriveStringsW(CStringArray& drives, bool lettersOnly);

// Opens paths in the system's file browser or their associated program on
// behalf of a parent window. The first construction in the process loads the
// shell library and keeps it loaded.
class VELMORA_API CWinShell {
 public:
  explicit CWinShell(CWnd* pParent = nullptr);
  virtual ~CWinShell();
  CWinShell(const CWinShell&) = delete;
  CWinShell& operator=(const CWinShell&) = delete;

  // Asks the shell to open path with the verb "open" (a folder is shown in
  // the file browser). Reports nothing; returns without waiting.
  void Open(const CString& path);

  // The shell library's module handle, kept for the rest of the process
  // once loaded (POSIX: null, there is no such library).
  static void* GetShellModule();

  CWnd* m_pParent;
  // Reserved: nothing sets them; released by the destructor when set.
  IUnknown* m_pFirstInterface;
  IUnknown* m_pSecondInterface;
  CString m_strFirstText;
  CString m_strSecondText;

 private:
  static void* s_hShellModule;
};
