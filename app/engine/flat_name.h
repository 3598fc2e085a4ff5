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
// program. Both are read once, not once per item: the prefix once for the
// tree the items come from (SetTree), else once per folder (the items of one
// folder come together).
class CFlatNames {
 public:
  // The items named from now on come from the tree at root (a walk's folder,
  // a restore's source): an item inside it takes the prefix of root's own
  // items, read here once, unless DrivePrefixVariesBelow(root). An item on
  // another file system below root (which no move reaches) is named as if
  // it were on root's.
  void SetTree(const CString& root);
  CString Of(const CString& source, bool isFolder);

 private:
  bool m_bUserKnown = false;
  CString m_strUser;
  CString m_strTree;  // root + separator while its prefix serves; else empty
  CString m_strTreePrefix;
  CString m_strFolder;  // the folder m_strPrefix was read for
  CString m_strPrefix;
};
