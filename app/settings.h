// Where the program's three settings live: the company key, the
// application's name, the section and the entries. Velmora.exe and the
// console program share them.
#pragma once

extern const wchar_t kCompanyKey[];       // "VelmoraLabs"
extern const wchar_t kApplicationName[];  // "Velmora"
extern const wchar_t kSettingsSection[];  // "Settings"
extern const wchar_t kPathRootEntry[];    // "Path Root": the source folder
extern const wchar_t kExtensionsEntry[];  // "Extensions": the extension list
extern const wchar_t kFolderNameEntry[];  // "Folder Name": the folder name list
