// The standard folders and names of the machine and the current user.
// Windows: the real calls with 260-character buffers (a result that does not
// fit is empty). POSIX: the XDG user folders, passwd and the host name; the
// Windows and system folders do not exist there and are empty.
#pragma once

#include <cstddef>

#include "platform/cstring.h"

// The shell folder ids the toolkit asks for (the values are the Windows ids).
enum class ShellFolder {
  kPersonal = 5,    // personal documents
  kDocuments = 12,  // the desktop's documents item
  kAppData = 26,    // roaming application data
  kPictures = 39,
};

// The folder's current path, or empty (Windows: also when the registered
// folder is not a full path, such as "." or "D:"). POSIX: documents (personal and the
// desktop item) and pictures come from XDG_DOCUMENTS_DIR / XDG_PICTURES_DIR
// (the environment, else user-dirs.dirs in the configuration folder, with a
// leading $HOME expanded) when that folder exists, else $HOME; application
// data is $XDG_CONFIG_HOME, else $HOME/.config.
CString QueryShellFolder(ShellFolder folder);
// The user's home folder: POSIX $HOME, else passwd; Windows the profile
// folder (CSIDL_PROFILE). Empty when there is none.
CString QueryHomeFolder();

CString QueryWindowsDirectory();  // POSIX: empty
CString QuerySystemDirectory();   // POSIX: empty
// Ends with the separator. POSIX: $TMPDIR, else /tmp.
CString QueryTempPath();
// Logon name of the (POSIX: effective) user, or empty.
CString QueryUserName();
// The user name every part of the program uses: QueryUserName, empty when
// it does not fit the platform's path buffer, or the name a test pinned
// (user_name_hooks.h).
CString CurrentUserName();
// Windows: the computer name; POSIX: the host name. Empty on failure.
CString QueryComputerName();

// Appends one entry per logical drive, in the platform's order. Windows: the
// roots (C:\), or their letters when lettersOnly; nothing when the list does
// not fit in 100 characters. POSIX: the mount points of the mounted file
// systems, each once, the same with lettersOnly (a mount point has no letter).
void QueryLogicalDrives(CStringArray& drives, bool lettersOnly);

// Walks a drive list in the layout of GetLogicalDriveStringsW (roots of three
// characters, each followed by a terminator, the list by an empty one) and
// appends each root, or its first character when lettersOnly. Reads no
// further than size characters; nothing when buffer[0] is zero.
void AppendDriveRoots(const wchar_t* buffer, size_t size, bool lettersOnly, CStringArray& drives);

// The part of a system folder path before its first colon (the drive letter);
// the whole text when the colon comes first; empty when there is no colon.
CString DriveOfSystemFolder(const CString& systemFolder);
