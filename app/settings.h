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

// The extension lists of the presets (the dialog's menu, the command line).
extern const wchar_t kPresetCpp[];    // "obj pdb sbr ilk pch idb ncb exe"
extern const wchar_t kPresetMplab[];  // "o"
