// The hooks product code offers to tests. Each is defined in the module it
// reaches into, is never exported, and is meant to be used through
// CScopedProcessState (scoped_process_state.h), which lifts every pin again.
#pragma once

#include "platform/sys/clock.h"
#include "platform/cstring.h"
#include "platform/fs/file.h"

// While pinned, GetLocalTimeNow returns t, or fails for the invalid pin.
// Batch folder names and log stamps depend on the clock.
void PinClockForTesting(const CLocalTime& t);
void PinInvalidClockForTesting();
void UnpinClockForTesting();

// While pinned, GetMonotonicMilliseconds returns ms (what is paced by it,
// such as redraws, depends on the clock).
void PinMonotonicClockForTesting(int64_t ms);
void UnpinMonotonicClockForTesting();

// While pinned, GetUserNameW returns name (flattened names in the trash
// folder depend on the user name).
void PinUserNameForTesting(const CString& name);
void UnpinUserNameForTesting();

// Swaps the OS handle behind an open file for a read-only one, so that the
// next Write fails in the OS as it would on a lost device. Close stays safe
// afterwards.
void BreakFileForTesting(CFile& file);

// The file's next Write writes the first bytesWritten bytes of its data (all
// of it when shorter) and then fails as on a full disk; the next Flush fails
// as a disk flush that went wrong. Each fault strikes once.
void FailNextWriteForTesting(CFile& file, size_t bytesWritten);
void FailNextFlushForTesting(CFile& file);

// Delivers an interrupt through the installed handler exactly as the OS does:
// POSIX raise(SIGINT); Windows calls the console handler on another thread
// and waits for it. REQUIRES: an installed handler.
void SimulateInterruptForTesting();

// Forgets every interrupt recorded so far (IsInterruptRecorded is false
// again, and none waits for the next pump).
void ForgetInterruptForTesting();
