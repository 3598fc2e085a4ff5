// The "drive" of a source folder: where its trash folder goes, and what a
// flattened name leaves out.
//
// Windows: the drive letter of the path and a colon ("C:" for C:\src).
// POSIX: the volume root of the folder: $HOME when the folder is under $HOME
// and on the same file system (by their texts, else by their canonical
// paths, and then the canonical home is given), else the mount point of the
// folder's file system (the highest folder above it on the same file
// system). The root "/" is given as the empty string, so that the root
// followed by "/Trush" is always a path.
#pragma once

#include "platform/cstring.h"

// True when path names its drive in the form GetSourceDrive reads. Windows:
// a drive letter, a colon and a separator ("C:\src"); a network path
// ("\\server\share\src"), a "\\?\" path and a relative one have none.
// POSIX: always (every folder has a volume root).
bool HasSourceDrive(const CString& path);

// The drive of the folder `path` (see above), without a trailing separator.
// POSIX: a path that does not exist is measured at its deepest existing
// folder; a relative path is taken from the current directory.
CString GetSourceDrive(const CString& path);

// The text that a flattened name drops from the path of an item, once every
// "/" in the path has become "\". Windows: the first two characters of the
// path (the drive letter and its colon). POSIX: the drive of the folder that
// holds the item, with "/" turned into "\".
CString GetDrivePrefix(const CString& itemPath);

// False when every item inside folder on folder's own file system has the
// drive prefix of an item directly inside it, so that a walk of folder reads
// the prefix once. Windows: always false. POSIX: true when $HOME (as typed or
// canonical) lies below folder, whose items are then named from two roots.
bool DrivePrefixVariesBelow(const CString& folder);

// True when folder is a place where the trash folder of some source goes:
// the drive of a source inside it (GetSourceDrive) is folder itself: a drive
// root (Windows: also a volume mounted on a folder); POSIX: a mount point,
// $HOME, or the home folder of the user who owns folder.
bool IsTrashLocation(const CString& folder);

// The drive a trash folder is placed on before any source is known: "C:" on
// Windows, the root (the empty string) on POSIX.
CString GetDefaultDrive();
