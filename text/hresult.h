// Error codes as readable text: COM status codes (HRESULTs) and system
// error codes (a thread's last error).
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"

// DecodeHResult's header, one blank and its message, for example
// "HRESULT = 2 FACILITY = FACILITY_NULL ERROR_FILE_NOT_FOUND " and the
// system's text for code 2.
VELMORA_API CString DescribeHResult(uint32_t code);

// header: "HRESULT = %lx FACILITY = %s %s" of the code, its facility's name
// (bits 16 to 28; "Unknown or new FACILITY code" when it has none) and the
// code's name, by the first rule that holds:
//   1. the whole code's name (GetHResultName), message from the system;
//   2. facility 0 or 7: the low word's GetSystemErrorName, or "Unknown or
//      new error", message from the system;
//   3. facility 10 (CONTROL) with a low word of at least 600: no name, a
//      fixed message about control errors;
//   4. facility 4 (ITF) with a low word of at least 512: no name, a fixed
//      message about interface errors;
//   5. "Unknown or new error", message from the system.
// The system's message is its text for the whole code (see
// FormatSystemMessage), empty when it has none or the text takes 400
// characters or more.
VELMORA_API void DecodeHResult(uint32_t code, CString& header, CString& message);

// The system's message text for code in the system's default language, or
// "FormatMessage Netive Error" when it has none, as has a code wider than 32
// bits (where long is 64 bits wide).
VELMORA_API CString GetSystemErrorMessage(unsigned long code);
