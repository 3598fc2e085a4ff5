// The Windows side: the shell's folders, drives and library, the picker's
// callback messages, and the release of the shell object's interfaces.
#include <windows.h>
#include <shlobj.h>
#include <unknwn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winui/folder_dialog.h"
#include "winui/system_folders.h"

namespace {

// A message-only window that records the picker messages sent to it.
struct CRecordedMessage {
  UINT message;
  WPARAM wParam;
  std::wstring text;
};
std::vector<CRecordedMessage> g_recorded;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BFFM_SETSELECTIONW || message == BFFM_SETSTATUSTEXTW) {
    g_recorded.push_back({message, wParam, reinterpret_cast<const wchar_t*>(lParam)});
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeRecordingWindow() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraPickerRecorder";
    return ::RegisterClassW(&wc);
  }();
  EXPECT_NE(atom, 0);
  return ::CreateWindowExW(0, L"VelmoraPickerRecorder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// Counts its releases and records their order in a shared log.
class CCountedInterface : public IUnknown {
 public:
  CCountedInterface(char name, std::string& log) : m_cName(name), m_log(log) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override {
    m_log += m_cName;
    return 1;
  }

 private:
  char m_cName;
  std::string& m_log;
};

}  // namespace

TEST(Win32Shell, FoldersComeFromTheShellAndTheSystem) {
  // Distinct shell folder ids, all answered for real.
  EXPECT_NE(GetAppDataPath(), GetMyPersonalPath());
  EXPECT_NE(GetMyPicturePath(), GetMyPersonalPath());
  EXPECT_FALSE(GetMyDocumentsPath().empty());

  const CString system = GetSystemDirectoryW();
  ASSERT_GE(system.size(), 3u);
  EXPECT_EQ(GetSystemDrive(), system.substr(0, 1));
  EXPECT_EQ(system.compare(0, GetWindowsDirectoryW().size(), GetWindowsDirectoryW()), 0);

  CStringArray roots;
  GetLogicalDriveStringsW(roots, false);
  EXPECT_NE(std::find(roots.begin(), roots.end(), GetSystemDrive() + L":\\"), roots.end());
  for (const CString& root : roots) EXPECT_EQ(root.size(), 3u);
}

TEST(Win32Shell, InterfacesAreReleasedSecondFirst) {
  std::string log;
  CCountedInterface first('1', log);
  CCountedInterface second('2', log);
  {
    CWinShell shell;
    shell.m_pFirstInterface = &first;
    shell.m_pSecondInterface = &second;
  }
  EXPECT_EQ(log, "21");
  { CWinShell shell; }
  EXPECT_EQ(log, "21");
}

TEST(Win32Shell, PickerCallbackPreselectsAndShowsOnlyFileSystemPaths) {
  const HWND window = MakeRecordingWindow();
  ASSERT_NE(window, nullptr);
  g_recorded.clear();

  CDirDialog dialog(L"Root Folder", L"C:\\windows\\", nullptr, L"");
  EXPECT_EQ(CBrowseForFolder::BrowseCallback(window, BFFM_INITIALIZED, 0,
                                             reinterpret_cast<intptr_t>(&dialog.m_strInitial)),
            0);
  EXPECT_EQ(CBrowseForFolder::BrowseCallback(window, BFFM_INITIALIZED, 0, 0), 0);  // no data: nothing
  ASSERT_EQ(g_recorded.size(), 1u);
  EXPECT_EQ(g_recorded[0].message, static_cast<UINT>(BFFM_SETSELECTIONW));
  EXPECT_EQ(g_recorded[0].wParam, static_cast<WPARAM>(TRUE));
  EXPECT_EQ(g_recorded[0].text, L"C:\\windows");

  // A folder with a path: its path is the status text.
  g_recorded.clear();
  PIDLIST_ABSOLUTE folder = nullptr;
  ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_WINDOWS, &folder), S_OK);
  CBrowseForFolder::BrowseCallback(window, BFFM_SELCHANGED, reinterpret_cast<intptr_t>(folder), 0);
  ::CoTaskMemFree(folder);
  ASSERT_EQ(g_recorded.size(), 1u);
  EXPECT_EQ(g_recorded[0].message, static_cast<UINT>(BFFM_SETSTATUSTEXTW));
  EXPECT_EQ(g_recorded[0].text, GetWindowsDirectoryW());

  // A virtual folder (My Computer) has none: the status text stays.
  g_recorded.clear();
  PIDLIST_ABSOLUTE computer = nullptr;
  ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  CBrowseForFolder::BrowseCallback(window, BFFM_SELCHANGED, reinterpret_cast<intptr_t>(computer), 0);
  ::CoTaskMemFree(computer);
  EXPECT_TRUE(g_recorded.empty());
  ::DestroyWindow(window);
}
