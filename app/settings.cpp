#include "app/settings.h"

const wchar_t kCompanyKey[] = L"VelmoraLabs";
const wchar_t kApplicationName[] = L"Velmora";
const wchar_t kSettingsSection[] = L"Settings";
const wchar_t kPathRootEntry[] = L"Path Root";
const wchar_t kExtensionsEntry[] = L"Extensions";
const wchar_t kFolderNameEntry[] = L"Folder Name";
const wchar_t kPresetCpp[] = L"obj pdb sbr ilk pch idb ncb exe";
const wchar_t kPresetMplab[] = L"o";

const CPreset kFilePresets[] = {
    {"cpp", kPresetCpp},
    {"mplab", kPresetMplab},
    // Visual Studio's intermediate files.
    {"vs", L"obj pdb idb ilk pch ipch iobj ipdb tlog lastbuildstate"},
    // GCC's objects, dependency files and coverage data.
    {"gcc", L"o d gcda gcno"},
    // Keil MDK (ARM) build output.
    {"keil", L"o d crf lst map axf htm lnp dep"},
    {nullptr, nullptr},
};

const CPreset kFolderPresets[] = {
    // Visual Studio's output and cache folders.
    {"vs", L"Debug Release x64 ipch .vs"},
    // CMake's own folder in a build tree.
    {"cmake", L"CMakeFiles"},
    {nullptr, nullptr},
};
