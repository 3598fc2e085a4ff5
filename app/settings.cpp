#include "app/settings.h"

const wchar_t kCompanyKey[] = L"VelmoraLabs";
const wchar_t kApplicationName[] = L"Velmora";
const wchar_t kSettingsSection[] = L"Settings";
const wchar_t kPathRootEntry[] = L"Path Root";
const wchar_t kExtensionsEntry[] = L"Extensions";
const wchar_t kFolderNameEntry[] = L"Folder Name";
const wchar_t kPresetCpp[] = L"obj pdb sbr ilk pch idb ncb exe";
const wchar_t kPresetMplab[] = L"o";
