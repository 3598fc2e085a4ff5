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
// has been recorded (IsInterruptRecorded: the command line's Ctrl-C). A
// folder that cannot be listed is passed over silently.
//
// The walk never follows a symbolic link, junction or other reparse point
// (the link itself is offered like any entry), and never offers or enters
// the trash folder (g_strTrash) or the batch folder (g_strBatch), found by
// identity, however the path reaches them and whatever the entry is (a link
// named like them included). Lists, and asks for identities, on
// action.m_disk; below folder every level is listed relative to the level
// above it, so a folder swapped for a link meanwhile is not entered.
void WalkFolder(const CString& folder, CFileAction& action);
