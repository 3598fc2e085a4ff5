// Test hooks of CFile (file.cpp and its platform files). Never exported.
#pragma once

#include <cstddef>

#include "platform/fs/file.h"

// Swaps the OS handle behind an open file for a read-only one, so that the
// next Write fails in the OS as it would on a lost device. Close stays safe
// afterwards.
void BreakFileForTesting(CFile& file);

// The file's next Write writes the first bytesWritten bytes of its data (all
// of it when shorter) and then fails as on a full disk; the next Flush fails
// as a disk flush that went wrong. Each fault strikes once.
void FailNextWriteForTesting(CFile& file, size_t bytesWritten);
void FailNextFlushForTesting(CFile& file);
