// The tree walk that drives a cleanup run.
#pragma once

#include "app/engine/run_types.h"
#include "platform/cstring.h"

class CFileAction;

// Offers every entry below folder to action.OnFound, depth first and in
// pre-order, in the order the file system lists them. A folder is entered
// right after it was offered, unless OnFound consumed it (returned true).
// Clears g_bCancel on entry to every level; throws CActException* with
// kCancelText at the next entry once the flag is set, or once an interrupt
// has been recorded (IsInterruptRecorded: the command line's Ctrl-C).
//
// A folder that cannot be listed, folder itself included, is never passed
// over in silence: action.OnCannotOpen gets the line that says so
// (FormatCannotOpen). Only a folder that went away meanwhile (not found)
// is passed over, as nothing of it stays in the tree.
//
// The walk never follows a symbolic link, junction or other reparse point
// (the link itself is offered like any entry), and never offers or enters,
// whatever the entry is (a link named like them included):
//   - the trash folder (g_strTrash), the batch folder (g_strBatch) and the
//     items named by ExcludeFromWalks, found by identity, however the path
//     reaches them;
//   - any trash folder of another source: a real folder named "Trush" (any
//     case) in a folder where a trash folder goes (IsTrashLocation: a drive
//     root or mount point, a home folder).
// Lists, and asks for identities, on action.m_disk; below folder every level
// is listed relative to the level above it, so a folder swapped for a link
// meanwhile is not entered. It holds one listing per level and no full path
// per level, so its memory grows linearly with the depth; it does not
// recurse on the stack.
void WalkFolder(const CString& folder, CFileAction& action);
// The same walk, leaving out trash where the run's own trash folder
// (g_strTrash) would be left out: for a walk that only looks (a dry run),
// which makes no trash folder and sets no run state.
void WalkFolder(const CString& folder, const CString& trash, CFileAction& action);

// Leaves the item at path out of every walk that starts from now on, as the
// trash and batch folders are: matched by its last name (any case), then by
// identity, read when each walk starts (an item made later is found too).
// For the program's own files, such as its log and its settings. A path
// given again is kept once.
void ExcludeFromWalks(const CString& path);
// The paths given to ExcludeFromWalks, and a way to put a saved set back
// (empty: none), for whoever must restore the process's state.
CStringArray GetWalkExclusions();
void SetWalkExclusions(const CStringArray& paths);

// "== Cannot open folder '<folder>': <reason>", the reason being the
// system's text for the OS error (or its number when there is none).
CString FormatCannotOpen(const CString& folder, long osError);
