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

// A named list of the command line's --preset.
struct CPreset {
  const char* szName;     // as --preset takes it (any case)
  const wchar_t* szList;  // blank-separated extensions or folder names
};
// The presets of `files`: cpp and mplab (the dialog's arrow menu, which has
// those two alone), then vs, gcc and keil; and those of `folders`: vs and
// cmake. Each ends with {nullptr, nullptr}.
extern const CPreset kFilePresets[];
extern const CPreset kFolderPresets[];
