#include <windows.h>

#include "platform/large_integer.h"

int64_t GetLargeIntegerQuadPart(const LARGE_INTEGER& value) { return value.QuadPart; }
