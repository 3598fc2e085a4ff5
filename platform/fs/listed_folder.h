// The path of a folder that a CFileFind lists, kept as a chain of names up
// to the folder given to FindFile. A listing of a subfolder holds its own
// name and shares its parents' links, so a walk that holds one listing per
// level holds memory linear in its depth (a full path per level would be
// quadratic). Platform-internal: the two CFileFind files share it.
#pragma once

#include <memory>

#include "platform/cstring.h"

struct CListedFolder {
  std::shared_ptr<const CListedFolder> pParent;  // null for the folder given to FindFile
  CString strText;  // that folder with its separator, or one name and the separator

  // The folder's path with its separator at the end: every strText from the
  // top down.
  CString Path() const;
};

// A new link for the subfolder `name` of parent (null parent: the top).
std::shared_ptr<const CListedFolder> ListedSubfolder(const std::shared_ptr<const CListedFolder>& parent,
                                                     const CString& text);
