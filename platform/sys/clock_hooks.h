// Test hooks of the clock (clock.cpp). Never exported; tests use them
// through CScopedProcessState, which lifts every pin again.
#pragma once

#include <cstdint>

#include "platform/sys/clock.h"

// While pinned, GetLocalTimeNow returns t, or fails for the invalid pin.
// Batch folder names and log stamps depend on the clock.
void PinClockForTesting(const CLocalTime& t);
void PinInvalidClockForTesting();
void UnpinClockForTesting();

// While pinned, GetFileTimeNow returns t (the age of a file, --older-than,
// depends on it).
void PinFileTimeNowForTesting(const CFileTime& t);
void UnpinFileTimeNowForTesting();

// While pinned, GetMonotonicMilliseconds returns ms (what is paced by it,
// such as redraws, depends on the clock).
void PinMonotonicClockForTesting(int64_t ms);
void UnpinMonotonicClockForTesting();
