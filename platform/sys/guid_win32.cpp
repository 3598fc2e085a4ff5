#include "platform/sys/guid.h"

#include <windows.h>
#include <objbase.h>

CString NewGuidText() {
  GUID guid = {};
  if (FAILED(::CoCreateGuid(&guid))) return CString();
  LPOLESTR text = nullptr;
  if (FAILED(::StringFromCLSID(guid, &text)) || text == nullptr) return CString();
  CString result(text);
  ::CoTaskMemFree(text);
  return result;
}
