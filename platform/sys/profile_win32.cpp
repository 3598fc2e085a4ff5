#include <windows.h>

#include <vector>

#include "platform/sys/profile.h"

namespace {

CString ApplicationKey(const CProfile& profile) {
  return L"Software\\" + profile.GetCompany() + L"\\" + profile.GetApplication();
}

// Opens path for writing, made level by level where missing. Another store
// of the company deleted meanwhile takes an empty company key with it, and a
// level made under it then fails as deleted: made again from the top, that
// is a write that holds, not a lost setting.
LONG CreateSectionKey(const CString& path, HKEY& key) {
  constexpr int kAttempts = 8;
  LONG rc = ERROR_KEY_DELETED;
  for (int i = 0; i < kAttempts && rc == ERROR_KEY_DELETED; ++i)
    rc = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                           nullptr, &key, nullptr);
  return rc;
}

}  // namespace

CString CProfile::GetLocation() const { return L"HKEY_CURRENT_USER\\" + ApplicationKey(*this); }

CString CProfile::GetString(const CString& section, const CString& entry) const {
  HKEY key = nullptr;
  const CString path = ApplicationKey(*this) + L"\\" + section;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return CString();
  CString value;
  std::vector<BYTE> data(256);
  for (;;) {
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(data.size());
    const LONG rc = ::RegQueryValueExW(key, entry.c_str(), nullptr, &type, data.data(), &bytes);
    if (rc == ERROR_MORE_DATA) {
      data.resize(bytes + sizeof(wchar_t));
      continue;
    }
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
      value.assign(reinterpret_cast<const wchar_t*>(data.data()), bytes / sizeof(wchar_t));
      // The stored terminator is not part of the value; NULs inside it are.
      if (!value.empty() && value.back() == L'\0') value.pop_back();
    }
    break;
  }
  ::RegCloseKey(key);
  return value;
}

bool CProfile::WriteString(const CString& section, const CString& entry, const CString& value) const {
  if (!IsStorableProfileName(section, entry)) return false;
  HKEY key = nullptr;
  if (CreateSectionKey(ApplicationKey(*this) + L"\\" + section, key) != ERROR_SUCCESS) return false;
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const LONG rc =
      ::RegSetValueExW(key, entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

bool CProfile::DeleteStore() const {
  const LONG rc = ::RegDeleteTreeW(HKEY_CURRENT_USER, ApplicationKey(*this).c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return false;
  // The company key goes too once no application of the company is left.
  ::RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + m_strCompany).c_str());
  return true;
}
