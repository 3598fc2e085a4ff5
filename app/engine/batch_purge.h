// Deleting old batch folders for good: the only thing the program deletes.
#pragma once

#include <vector>

#include "app/engine/batch_job.h"
#include "app/engine/trash_listing.h"
#include "platform/sys/clock.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

// The batch folders of trash (ListBatchFolders: real folders with names of
// the batch form, nothing else) whose names are more than days days older
// than now, newest first.
std::vector<CBatchFolder> SelectOldBatches(const CString& trash, int days, const CLocalTime& now,
                                           CDiskInterface& disk = RealDisk());

// The job "Purge" (RunBatchJob): the announcement, then each batch folder is
// deleted with everything in it, relative to the trash folder opened as a
// private folder, without following any link inside and without entering
// another file system (PlatformRemoveTree). A batch folder is first locked
// for deletion (PlatformLockFolder); one a run holds is left alone. One line
// per batch folder, " OK  Deleted PATH" or " ERROR  Cannot delete PATH: WHY"
// (WHY: "in use", "'ITEM' is on another file system", "'ITEM' is a link",
// or the system's text; what could be deleted is gone), to the view and the
// log; then the summary.
CBatchJobOutcome RunPurge(const CString& trash, const std::vector<CBatchFolder>& batches, int days,
                          CBatchJobView& view, CDiskInterface& disk = RealDisk());

CString FormatPurgeQuestion(int32_t count, int days, const CString& trash);
constexpr const wchar_t kPurgeJobName[] = L"Purge";
