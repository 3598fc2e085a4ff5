// The trash folder ("Trush" at the root of the source's drive) and the batch
// folder of a run inside it, named after the local time of its start.
#pragma once

#include <cstdint>

#include "platform/sys/clock.h"
#include "platform/cstring.h"
#include "platform/fs/disk_interface.h"

class CFolderHandle;

// The trash folder. First value: "Trush" at the root of the default drive
// ("C:\Trush" on Windows, "/Trush" on POSIX); replaced by MakeTrashFolder.
extern CString g_strTrash;
// The batch folder of the most recent run; empty until MakeBatchFolder.
extern CString g_strBatch;

// Makes sure the folder exists for this user's private use: an existing one
// must be a real folder of the user that nobody else can write to
// (PlatformOpenPrivateFolder); a missing one is made, one level (its parent
// must exist), mode 0700. Throws CActException* with "Cannot create folder "
// and the path otherwise.
void CreateFolder(const CString& path, CDiskInterface& disk = RealDisk());

// The trash folder of a source: its drive (GetSourceDrive), the separator
// and "Trush". The one rule every front end and the dry run go by.
CString TrashFolderOf(const CString& source);

// g_strTrash = TrashFolderOf(source); then CreateFolder on it. g_strTrash
// keeps the new value even when the creation throws.
void MakeTrashFolder(const CString& source, CDiskInterface& disk = RealDisk());
CString GetTrashFolder();
// MakeTrashFolder without the exception: false with its text in error.
bool TryMakeTrashFolder(const CString& source, CString& error, CDiskInterface& disk = RealDisk());

// g_strBatch = g_strTrash, the separator and the local time of now as
// "%04d_%02d_%02d_%02d_%02d_%02d" (year, month, day, hour, minute, second);
// then the folder is made inside the trash folder, which must exist, and
// held open and locked (PlatformLockFolder) for the run's moves, until
// CloseBatchFolder; both must be private folders of the user, as for
// CreateFolder. The folder is made only when no item of that name exists:
// otherwise (another run in the same second) it waits for the next second
// and makes that one, so no two runs share a batch folder. Throws
// CActException* with "Cannot create folder " and g_strBatch otherwise.
void MakeBatchFolder(CDiskInterface& disk = RealDisk());
// The name of the batch folder of a run started at t.
CString FormatBatchFolderName(const CLocalTime& t);
// True when name has the batch form exactly, with a real date and time (a
// month of 1 to 12, a day that month has, 0-23:0-59:0-60), which goes to t.
bool ParseBatchFolderName(const CString& name, CLocalTime& t);
// Seconds from one local time to another, as a calendar counts them.
int64_t SecondsBetween(const CLocalTime& from, const CLocalTime& to);
CString GetBatchFolder();
// The batch folder as MakeBatchFolder opened and locked it; closed before
// the first run and after CloseBatchFolder, which ends the lock (a run
// calls it when it ends).
const CFolderHandle& GetBatchFolderHandle();
void CloseBatchFolder();

// True when path is folder or lies anywhere inside it, however either is
// spelled (links along path are followed).
bool IsInsideFolder(const CString& path, const CString& folder, CDiskInterface& disk = RealDisk());
// True when source is, or lies inside, the current trash folder or the trash
// folder of its own drive: a run there would move old batches, or its own
// items, again.
bool IsInsideTrashFolder(const CString& source, CDiskInterface& disk = RealDisk());
