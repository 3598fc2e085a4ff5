// POSIX only: the descriptor-relative forms of the operations of
// file_system.h, shared by the files that hold folders open (file_find,
// folder_handle). Each records errno for PlatformLastError().
#pragma once

#include <cstdint>

#include "platform/file_system.h"

// Records the outcome of a call: errno on failure, 0 on success. Returns ok.
bool RecordPosixResult(bool ok);

// renameat2 with RENAME_NOREPLACE, or a test-then-rename where the file
// system has no such flag. Never replaces, never copies across volumes.
bool MoveNoReplaceAt(int fromFolder, const char* from, int toFolder, const char* to);

// SetFileAttributes on the item `name` of folder: only the read-only bit
// means something (set: every write bit goes; clear: the owner's comes). A
// link is left as it is and never followed.
bool SetAttributesAt(int folder, const char* name, uint32_t attributes);

// The identity of the item `name` of folder itself (a link is not followed).
bool IdentityAt(int folder, const char* name, CFileIdentity& identity);
