// The symbolic names of error codes (E_NOTIMPL, ERROR_FILE_NOT_FOUND), from
// two fixed tables: one keyed by the whole 32-bit code (COM, OLE,
// automation, storage, type-library, control, trust and certificate codes
// and the two success codes), one by a system error code (the low 16 bits
// of an HRESULT of facility 0 or 7).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"

// The name of the whole code, or empty when the table has none.
VELMORA_API CString GetHResultName(uint32_t code);

// The name of the system error code, or empty when the table has none.
VELMORA_API CString GetSystemErrorName(uint32_t code);

// One entry of a table. Both tables are sorted by code, with no code and no
// name twice.
struct VELMORA_API CErrorName {
  uint32_t nCode;
  const char* pszName;
};
extern const CErrorName g_wholeCodeNames[];
extern const size_t g_wholeCodeNamesCount;
extern const CErrorName g_systemErrorNames[];
extern const size_t g_systemErrorNamesCount;
