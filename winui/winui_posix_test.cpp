// The POSIX stand-ins: XDG folders, limits, mount points, the list box
// model's text measure, and the programs started without a shell
// (xdg-open, zenity), replaced here by small scripts found first in PATH.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/encoding.h"
#include "platform/posix_text.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"
#include "winui/control_helpers.h"
#include "winui/folder_dialog.h"
#include "winui/notepad_viewer.h"
#include "winui/system_folders.h"

namespace fs = std::filesystem;

namespace {

CString Wide(const fs::path& path) { return FromNativePath(path.string()); }
std::string ReadFile(const fs::path& path) { return ContentForTesting(Wide(path)); }
void WriteFile(const fs::path& path, const std::string& text) { WriteFileForTesting(Wide(path), text); }

// A scoped folder, and the environment variables the stand-ins read, restored
// on exit. HOME is the scoped folder; the XDG variables are unset.
class PosixStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_tmp.IsValid());
    m_root = m_tmp.Path();
  }
  static void Set(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }

  // Puts an executable script `name` in a folder that becomes the whole PATH
  // (with /bin for the shell and its tools).
  void FakeProgram(const std::string& name, const std::string& body) {
    const fs::path bin = m_root / "bin";
    WriteFile(bin / name, "#!/bin/sh\n" + body);
    fs::permissions(bin / name, fs::perms::owner_all);
    Set("PATH", bin.string() + ":/bin:/usr/bin");
  }

  // Waits up to 10 s for a file a started program writes.
  std::string WaitForFile(const fs::path& path) {
    for (int i = 0; i < 1000 && !fs::exists(path.parent_path() / (path.filename().string() + ".done")); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadFile(path);
  }

  CScopedTempFolder m_tmp{L"/tmp"};
  fs::path m_root;
  CScopedEnvironment m_home{L"HOME", m_tmp.Path()};
  CScopedEnvironment m_path{L"PATH", GetProcessEnvironmentVariable(L"PATH")};
  CScopedEnvironment m_tmpdir{L"TMPDIR", CString()};
  CScopedEnvironment m_config{L"XDG_CONFIG_HOME", CString()};
  CScopedEnvironment m_documents{L"XDG_DOCUMENTS_DIR", CString()};
  CScopedEnvironment m_pictures{L"XDG_PICTURES_DIR", CString()};
};

// The children of this process that have ended but were not reaped.
int ZombieChildren() {
  int zombies = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
    std::ifstream in(entry.path() / "stat");
    std::string line;
    if (!std::getline(in, line)) continue;
    const size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) == 2 && state == 'Z' &&
        parent == ::getpid())
      ++zombies;
  }
  return zombies;
}

// Records its arguments, one per line, in $HOME/args, then marks it done.
const char kRecordArgs[] = "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$HOME/args\"; : > \"$HOME/args.done\"\n";

}  // namespace

TEST_F(PosixStandIn, DocumentsAndPicturesFollowTheXdgUserFoldersWhenTheyExist) {
  // Nothing configured: the home folder.
  EXPECT_EQ(GetMyPersonalPath(), Wide(m_root));
  EXPECT_EQ(GetMyPicturePath(), Wide(m_root));
  EXPECT_EQ(GetAppDataPath(), Wide(m_root / ".config"));

  fs::create_directories(m_root / "My \"Docs\"");
  fs::create_directories(m_root / "pics");
  WriteFile(m_root / ".config" / "user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n"
            "XDG_PICTURES_DIR=\"" + (m_root / "pics").string() + "\"\n");
  EXPECT_EQ(GetMyPersonalPath(), Wide(m_root / "My \"Docs\""));
  EXPECT_EQ(GetMyDocumentsPath(), GetMyPersonalPath());
  EXPECT_EQ(GetMyPicturePath(), Wide(m_root / "pics"));

  // A configured folder that does not exist falls back to the home folder.
  fs::remove(m_root / "pics");
  EXPECT_EQ(GetMyPicturePath(), Wide(m_root));

  // The environment comes before the file; XDG_CONFIG_HOME moves both the
  // file and the application data.
  fs::create_directories(m_root / "env docs");
  Set("XDG_DOCUMENTS_DIR", "$HOME/env docs");
  EXPECT_EQ(GetMyPersonalPath(), Wide(m_root / "env docs"));
  Set("XDG_CONFIG_HOME", (m_root / "cfg").string());
  EXPECT_EQ(GetAppDataPath(), Wide(m_root / "cfg"));
  ::unsetenv("XDG_DOCUMENTS_DIR");
  EXPECT_EQ(GetMyPersonalPath(), Wide(m_root));  // no user-dirs.dirs in cfg
}

TEST_F(PosixStandIn, PathsAreCutAtPathMaxNotAtWindowsLengths) {
  EXPECT_EQ(GetTempPathW(), L"/tmp/");
  Set("TMPDIR", m_root.string());
  EXPECT_EQ(GetTempPathW(), Wide(m_root) + L"/");

  // Long for Windows, valid here: a documents folder and a current
  // directory of 300 characters.
  fs::path deep = m_root;
  while (deep.string().size() < 300) deep /= std::string(50, 'd');
  fs::create_directories(deep);
  Set("XDG_DOCUMENTS_DIR", deep.string());
  EXPECT_EQ(GetMyPersonalPath(), Wide(deep));
  const fs::path before = fs::current_path();
  fs::current_path(deep);
  const CString inDeep = GetCurrentDirectoryW();
  fs::current_path(before);
  EXPECT_EQ(inDeep, Wide(deep));

  const std::string tooLong(PATH_MAX, 'x');
  Set("TMPDIR", "/" + tooLong);
  EXPECT_EQ(GetTempPathW(), L"");
  Set("HOME", "/" + tooLong);
  ::unsetenv("XDG_DOCUMENTS_DIR");
  EXPECT_EQ(GetMyPersonalPath(), L"");
  EXPECT_EQ(GetAppDataPath(), L"");

  EXPECT_EQ(GetWindowsDirectoryW(), L"");
  EXPECT_EQ(GetSystemDirectoryW(), L"");
  EXPECT_EQ(GetSystemDrive(), L"");
}

TEST_F(PosixStandIn, LogicalDrivesAreTheMountPointsOnceEach) {
  CStringArray drives;
  GetLogicalDriveStringsW(drives, false);
  EXPECT_NE(std::find(drives.begin(), drives.end(), L"/"), drives.end());
  for (size_t i = 0; i < drives.size(); ++i)
    EXPECT_EQ(std::count(drives.begin(), drives.end(), drives[i]), 1) << NarrowToAnsi(drives[i]);
}

TEST_F(PosixStandIn, ShellOpenPassesThePathAsOneArgumentAndReapsTheChild) {
  FakeProgram("xdg-open", kRecordArgs);
  const std::string path = "/tmp/a b/$(touch pwned); 'q'";
  CWinShell().Open(FromNativePath(path));
  EXPECT_EQ(WaitForFile(m_root / "args"), path + "\n");
  EXPECT_FALSE(fs::exists("pwned"));
  for (int i = 0; i < 500 && ZombieChildren() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ZombieChildren(), 0);

  // Without xdg-open nothing happens.
  Set("PATH", (m_root / "empty").string());
  CWinShell().Open(L"/tmp");
}

TEST_F(PosixStandIn, ShowInNotepadWritesTheTempFileAndOpensIt) {
  FakeProgram("xdg-open", kRecordArgs);
  Set("TMPDIR", m_root.string());
  ShowInNotepad(CComBSTR(L"A\r\nB"));
  EXPECT_EQ(WaitForFile(m_root / "args"), (m_root / "Info.txt").string() + "\n");
  EXPECT_EQ(ReadFile(m_root / "Info.txt"), "A \nB");

  fs::remove(m_root / "args.done");
  ShowInNotepad(L"log", L"CleanupLog.log");
  EXPECT_EQ(WaitForFile(m_root / "args"), (m_root / "CleanupLog.log").string() + "\n");
  EXPECT_EQ(ReadFile(m_root / "CleanupLog.log"), "log");
}

TEST_F(PosixStandIn, FolderPickerReturnsWhatZenityPrintsOnlyWhenItSucceeds) {
  FakeProgram("zenity", std::string(kRecordArgs) + "printf '%s\\n' '/chosen/my folder'\n");
  CDirDialog dialog(L"Root Folder", L"/home/u/Work/", nullptr, L"");
  CString result = L"stale";
  EXPECT_TRUE(dialog.DoBrowse(result));
  EXPECT_EQ(result, L"/chosen/my folder");
  EXPECT_EQ(ReadFile(m_root / "args"),
            "--file-selection\n--directory\n--title=Root Folder\n--filename=/home/u/Work\n");

  FakeProgram("zenity", "echo /ignored; exit 1\n");  // Cancel
  result = L"stale";
  EXPECT_FALSE(dialog.DoBrowse(result));
  EXPECT_EQ(result, L"");

  Set("PATH", (m_root / "empty").string());  // not installed
  result = L"stale";
  EXPECT_FALSE(dialog.DoBrowse(result));
  EXPECT_EQ(result, L"");
}

TEST(PosixListModel, ListBoxTextIsMeasuredAsCharactersTimesTheAverageWidth) {
  CListBox box;
  ASSERT_TRUE(box.Create(nullptr));
  box.AddString(L"abc");
  box.AddString(L"abcdefg");
  FixHScroll(box);
  EXPECT_EQ(box.GetHorizontalExtent(), 8 * box.GetAverageCharWidth());
}
