// Per-user settings: text values by section and entry name, kept for one
// application of one company from one run of the program to the next.
//
// Windows: the registry key
// HKEY_CURRENT_USER\Software\<company>\<application>\<section>, one REG_SZ
// value per entry.
// POSIX: the INI file $XDG_CONFIG_HOME/<company>/<application>.ini (with
// ~/.config when XDG_CONFIG_HOME is unset, empty or relative), one
// "[section]" per section and one "entry=value" line per entry. In a value,
// backslash, line feed, carriage return and NUL are written as \\, \n, \r
// and \0; any other backslash reads as itself. Section and entry names
// compare without regard to case, as in the registry; lines the file held
// before (comments, other sections) are kept when a value is written.
#pragma once

#include "platform/cstring.h"

class CProfile {
 public:
  // REQUIRES: company and application are non-empty names without path
  // separators.
  CProfile(const CString& company, const CString& application);

  // The stored value, or the empty string when the store, the section or
  // the entry is missing, or cannot be read.
  CString GetString(const CString& section, const CString& entry) const;

  // Stores the value exactly as given, creating the store as needed. The
  // store is replaced as a whole (a new file renamed over the old one on
  // POSIX), so a reader sees either the old or the new content, never part
  // of it. Returns false, leaving the store as it was, when it cannot be
  // written, when an existing store cannot be read, or when the section or
  // entry name cannot be stored (empty, "=" or a line break in the entry,
  // "]" or a line break in the section, blanks at either end).
  bool WriteString(const CString& section, const CString& entry, const CString& value) const;

  // Removes every value of this application (the INI file, or the
  // application's registry key with its subkeys). True when nothing is left.
  bool DeleteStore() const;

  // Where the values live: the INI file path or the registry key path
  // starting with "HKEY_CURRENT_USER\".
  CString GetLocation() const;

  const CString& GetCompany() const { return m_strCompany; }
  const CString& GetApplication() const { return m_strApplication; }

 private:
  CString m_strCompany;
  CString m_strApplication;
};

// True when the names can be stored as given (see WriteString).
bool IsStorableProfileName(const CString& section, const CString& entry);
