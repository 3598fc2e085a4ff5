// POSIX only: the descriptor-relative forms of the operations of
// file_system.h, shared by the files that hold folders open (file_find,
// folder_handle). Each records errno for PlatformLastError().
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "platform/fs/file_system.h"

// Records the outcome of a call: errno on failure, 0 on success. Returns ok.
bool RecordPosixResult(bool ok);

// renameat2 with RENAME_NOREPLACE, or a test-then-rename where the file
// system has no such flag. Never replaces, never copies across volumes.
bool MoveNoReplaceAt(int fromFolder, const char* from, int toFolder, const char* to);

// SetFileAttributes on the item `name` of folder: only the read-only bit
// means something (set: every write bit goes; clear: the owner's comes). A
// link is left as it is and never followed.
bool SetAttributesAt(int folder, const char* name, uint32_t attributes);
// The same for an item whose mode was read already (found, which then
// follows the change): no status is read again, and nothing is called when
// the mode stays as it is.
bool SetAttributesOfModeAt(int folder, const char* name, mode_t& found, uint32_t attributes);

// The identity of the item `name` of folder itself (a link is not followed).
bool IdentityAt(int folder, const char* name, CFileIdentity& identity);

// What the status of an item tells, its times as file times.
struct CPosixStatus {
  mode_t nMode = 0;
  uint64_t nSize = 0;
  CFileTimeHalves ftCreationTime;  // the birth time, or 0 where there is none
  CFileTimeHalves ftLastAccessTime;
  CFileTimeHalves ftLastWriteTime;
};

// The status of the item `name` of folder itself (a link is not followed),
// from one statx call that asks for the birth time too; fstatat where the
// kernel has no statx. False (errno set, nothing recorded) on failure.
bool StatusAt(int folder, const char* name, CPosixStatus& status);
