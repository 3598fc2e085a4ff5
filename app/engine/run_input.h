// The checks a run's input must pass before the confirmation question, with
// the texts and captions every front end shows for them. The dialog, the
// command line and the dry run all go through these, in this order: the
// source first, then the list of the run's kind.
#pragma once

#include <functional>

#include "app/engine/cleanup_run.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"
#include "platform/fs/volume.h"

// Why an input cannot be used: the text of its error box and the caption.
struct CInputError {
  CString strText;
  CString strCaption;
};

// True when path names an existing folder (a link to one counts) on disk:
// the isFolder of CheckSourceInput where the real disk decides.
bool IsExistingFolder(const CString& path, CDiskInterface& disk = RealDisk());

// What the source check asks of the disk (IsExistingFolder and
// IsInsideTrashFolder where the real disk decides), and of the platform.
struct CSourceProbe {
  std::function<bool(const CString&)> isFolder;
  std::function<bool(const CString&)> isInsideTrash;
  // Whether the path has the drive its trash folder goes to.
  std::function<bool(const CString&)> hasDrive = HasSourceDrive;
};

// The probe of the real disk.
CSourceProbe RealSourceProbe();

// REQUIRES: source is trimmed. False, with the error, when it is empty
// ("Please, specify the path"), has no drive for its trash folder (on
// Windows a network or "\\?\" path, whose items would get corrupted
// flattened names), names no existing folder ("The root folder '...' does not
// exists"), or is or lies inside the trash folder (a run would move old
// batches, or its own items, again); all under "Wrong path".
bool CheckSourceInput(const CString& source, const CSourceProbe& probe, CInputError& error);

// False, with the error, when the list of a run of that kind holds nothing
// but white space. The list itself is used as typed (split at blanks).
bool CheckListInput(CleanupKind kind, const CString& list, CInputError& error);
