// The flattened name under which a moved item lands in the batch folder: the
// item's path with its drive, the usual profile folders and the user's name
// left out, and every folder level joined by the separator ("." for a folder,
// "_" for a file). The batch folder has no subfolders of its own; the name
// alone tells where the item came from.
#pragma once

#include "platform/cstring.h"

// Builds the name from source, in this order (all replacements are of every
// occurrence and case-sensitive): "/" becomes "\"; drivePrefix is removed;
// "Documents and Settings" is removed; userName is removed (an empty name
// removes nothing); "My Documents" is removed; "\\" becomes "\" until none is
// left; every "\" becomes the separator; the first character becomes the
// separator. drivePrefix is what GetDrivePrefix gives for source.
CString FlattenName(const CString& source, const CString& drivePrefix, const CString& userName, bool isFolder);

// The flattened names a run gives its items: FlattenName with the drive
// prefix of each item's folder and the name of the user running the
// program. Both are read once (the prefix once per folder, for the items of
// one folder come together), not once per item.
class CFlatNames {
 public:
  CString Of(const CString& source, bool isFolder);

 private:
  bool m_bUserKnown = false;
  CString m_strUser;
  CString m_strFolder;  // the folder m_strPrefix was read for
  CString m_strPrefix;
};
