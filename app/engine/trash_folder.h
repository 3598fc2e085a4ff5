// The trash folder ("Trush" at the root of the source's drive) and the batch
// folder of a run inside it, named after the local time of its start.
#pragma once

#include "platform/cstring.h"
#include "platform/disk_interface.h"

// The trash folder. First value: "Trush" at the root of the default drive
// ("C:\Trush" on Windows, "/Trush" on POSIX); replaced by MakeTrashFolder.
extern CString g_strTrash;
// The batch folder of the most recent run; empty until MakeBatchFolder.
extern CString g_strBatch;

// Makes sure the folder exists: does nothing when it is already a folder,
// otherwise creates that one level (its parent must exist). Throws
// CActException* with "Cannot create folder " and the path when it cannot.
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
// then CreateFolder on it. Two runs in the same second share the folder.
void MakeBatchFolder(CDiskInterface& disk = RealDisk());
CString GetBatchFolder();
