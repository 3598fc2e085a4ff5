#include "text/hresult.h"

#include "platform/system_message.h"
#include "text/error_names.h"
#include "text/format.h"

namespace {

const size_t kMessageBuffer = 400;  // characters, with the closing zero

const wchar_t kUnknownError[] = L"Unknown or new error";

const wchar_t kControlMessage[] =
    L"This is a FACILITY_CONTROL error that is specific to the control's interface that returned this "
    L"error. See the documentation of the interface that returned this error for information about this "
    L"HRESULT.";
const wchar_t kInterfaceMessage[] =
    L"This is a FACILITY_ITF error that is specific to the interface that returned this error. See the "
    L"documentation of the interface that returned this error for information about this HRESULT.";

const wchar_t* FacilityName(uint32_t facility) {
  static const wchar_t* const kNames[] = {
      L"FACILITY_NULL",    L"FACILITY_RPC",     L"FACILITY_DISPATCH", L"FACILITY_STORAGE",
      L"FACILITY_ITF",     nullptr,             nullptr,              L"FACILITY_WIN32",
      L"FACILITY_WINDOWS", L"FACILITY_SSPI",    L"FACILITY_CONTROL",  L"FACILITY_CERT",
      L"FACILITY_INTERNET"};
  const size_t count = sizeof(kNames) / sizeof(kNames[0]);
  if (facility < count && kNames[facility] != nullptr) return kNames[facility];
  return L"Unknown or new FACILITY code";
}

CString SystemMessage(uint32_t code) {
  CString text;
  FormatSystemMessage(code, kAnyLanguage, kMessageBuffer, text);
  return text;
}

}  // namespace

void DecodeHResult(uint32_t code, CString& header, CString& message) {
  const uint32_t facility = (code >> 16) & 0x1FFF;
  const uint32_t low = code & 0xFFFF;
  CString name = GetHResultName(code);
  if (!name.empty()) {
    message = SystemMessage(code);
  } else if (facility == 7 || facility == 0) {
    name = GetSystemErrorName(low);
    if (name.empty()) name = kUnknownError;
    message = SystemMessage(code);
  } else if (facility == 10 && low >= 0x258) {
    message = kControlMessage;
  } else if (facility == 4 && low >= 0x200) {
    message = kInterfaceMessage;
  } else {
    name = kUnknownError;
    message = SystemMessage(code);
  }
  header = Format(L"HRESULT = %lx FACILITY = %s %s", code, FacilityName(facility), name);
}

CString DescribeHResult(uint32_t code) {
  CString header;
  CString message;
  DecodeHResult(code, header, message);
  return header + L" " + message;
}

CString GetSystemErrorMessage(unsigned long code) {
  CString text;
  if (static_cast<uint32_t>(code) != code || !FormatSystemMessage(static_cast<uint32_t>(code), kSystemDefaultLanguage, 0, text))
    return L"FormatMessage Netive Error";
  return text;
}
