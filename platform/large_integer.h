// LARGE_INTEGER: the platform's 64-bit signed value held as a union of its
// two 32-bit halves and the whole quantity. Windows: the type of <winnt.h>,
// declared here only by name so that this header needs no OS header.
// POSIX: a stand-in with the same members.
#pragma once

#include <cstdint>

#if defined(_WIN32)
union _LARGE_INTEGER;
typedef union _LARGE_INTEGER LARGE_INTEGER;
#else
union _LARGE_INTEGER {
  struct {
    uint32_t LowPart;
    int32_t HighPart;
  } u;
  int64_t QuadPart;
};
typedef union _LARGE_INTEGER LARGE_INTEGER;
#endif

// The value's 64-bit signed quantity (QuadPart).
int64_t GetLargeIntegerQuadPart(const LARGE_INTEGER& value);
