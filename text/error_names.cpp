#include "text/error_names.h"

#include <algorithm>

namespace {

CString FindName(const CErrorName* table, size_t count, uint32_t code) {
  const CErrorName* end = table + count;
  const CErrorName* entry =
      std::lower_bound(table, end, code, [](const CErrorName& e, uint32_t c) { return e.nCode < c; });
  if (entry == end || entry->nCode != code) return CString();
  const char* name = entry->pszName;
  return CString(name, name + std::char_traits<char>::length(name));
}

}  // namespace

CString GetHResultName(uint32_t code) { return FindName(g_wholeCodeNames, g_wholeCodeNamesCount, code); }

CString GetSystemErrorName(uint32_t code) {
  return FindName(g_systemErrorNames, g_systemErrorNamesCount, code);
}
