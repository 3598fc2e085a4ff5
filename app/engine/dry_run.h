// A dry run: what a Remove run would move, found by the moving action's own
// matching rules, with nothing changed anywhere.
#pragma once

#include <cstdint>
#include <functional>

#include "app/engine/age_rule.h"
#include "app/engine/cleanup_run.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

// One item a dry run would move.
struct CDryRunItem {
  CString strPath;   // full path, as the walk reaches it
  uint64_t nSize;    // bytes: a file's (or link's) own size; a folder's is the
                     // sum of the files below it, links not followed
  bool bFolder;
};

struct CDryRunOutcome {
  int32_t nItems = 0;
  uint64_t nTotalSize = 0;
  bool bCancelled = false;  // Stop (g_bCancel) ended the walk early
  CStringArray arrUnopened;  // the lines of folders it could not list (FormatCannotOpen)
};

class CFileFind;

// The size a dry run gives an item: a file's (or link's) own; a folder's is
// the sum of the files below it, links not followed.
uint64_t ItemSize(const CFileFind& entry, CDiskInterface& disk = RealDisk());

// Walks source with the matching rules of the moving action of kind (age,
// --older-than, included: a folder's tree is read once for its age and its
// size) and calls onItem for each item that a run would move, in walk order;
// the folders it could not list are in the outcome's lines. It passes over
// trash, the trash folder a run would use (which need not exist). Moves
// nothing, creates no folder, writes no log record, reports no line. It pumps
// after each item like a run, so a Stop posted meanwhile ends it.
CDryRunOutcome DryRunCleanup(CleanupKind kind, const CString& source, const CString& trash, const CString& list,
                             const std::function<void(const CDryRunItem&)>& onItem,
                             CDiskInterface& disk = RealDisk(), const CAgeRule& age = CAgeRule());
