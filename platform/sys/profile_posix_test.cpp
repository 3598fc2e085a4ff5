// The INI store itself: where it lives, what it looks like, and how it
// treats files it did not write.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/sys/process.h"
#include "platform/sys/profile.h"
#include "testing/test_files.h"

namespace fs = std::filesystem;

namespace {

// HOME and XDG_CONFIG_HOME point into a fresh folder.
class IniProfileTest : public ::testing::Test {
 protected:
  fs::path Ini() const { return m_root / "config" / "Acme" / "Velmora.ini"; }
  static std::string ReadAll(const fs::path& path) { return ContentForTesting(path.wstring()); }
  static void WriteAll(const fs::path& path, const std::string& bytes) { WriteFileForTesting(path.wstring(), bytes); }

  CScopedTempFolder m_tmp;
  fs::path m_root{m_tmp.Path()};
  CScopedEnvironment m_home{L"HOME", m_tmp / L"home"};
  CScopedEnvironment m_xdg{L"XDG_CONFIG_HOME", m_tmp / L"config"};
  CProfile m_profile{L"Acme", L"Velmora"};
};

}  // namespace

TEST_F(IniProfileTest, FileLivesUnderXdgConfigHomeElseHomeDotConfig) {
  EXPECT_EQ(m_profile.GetLocation(), Ini().wstring());
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"/src"));
  EXPECT_TRUE(fs::is_regular_file(Ini()));

  for (const CString& xdg : {CString(L"relative/config"), CString()}) {
    SetProcessEnvironmentVariable(L"XDG_CONFIG_HOME", xdg);
    const fs::path ini = m_root / "home" / ".config" / "Acme" / "Velmora.ini";
    EXPECT_EQ(m_profile.GetLocation(), ini.wstring());
    EXPECT_EQ(m_profile.GetString(L"Settings", L"Path Root"), L"");
  }
  UnsetProcessEnvironmentVariable(L"XDG_CONFIG_HOME");
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"/home/src"));
  EXPECT_TRUE(fs::is_regular_file(m_root / "home" / ".config" / "Acme" / "Velmora.ini"));
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Path Root"), L"/home/src");
}

TEST_F(IniProfileTest, WrittenFileIsPlainIniWithEscapedBreaks) {
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"/src/caf\u00e9"));
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Extensions", L"a\\b\nc"));
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Folder Name", L"x=y"));
  EXPECT_EQ(ReadAll(Ini()),
            "[Settings]\nPath Root=/src/caf\xc3\xa9\nExtensions=a\\\\b\\nc\nFolder Name=x=y\n");
  // Nothing but the file is left in the folder: no temporary files.
  EXPECT_EQ(std::distance(fs::directory_iterator(Ini().parent_path()), fs::directory_iterator()), 1);
}

TEST_F(IniProfileTest, HandWrittenFileIsReadAndItsOtherLinesKept) {
  WriteAll(Ini(),
           "; my settings\r\n"
           "[Window]\r\n"
           "Extensions=not these\r\n"
           "\r\n"
           "[ settings ]\r\n"
           "  path root =  C:\\Work\\new\r\n"
           "# Folder Name=commented out\r\n"
           "\r\n"
           "[Last]\r\n"
           "k=v\r\n");
  ::chmod(Ini().c_str(), 0640);

  EXPECT_EQ(m_profile.GetString(L"Settings", L"Path Root"), L"  C:\\Work\new");
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Extensions"), L"");
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Folder Name"), L"");

  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Extensions", L"obj"));
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"/src"));
  EXPECT_EQ(ReadAll(Ini()),
            "; my settings\n"
            "[Window]\n"
            "Extensions=not these\n"
            "\n"
            "[ settings ]\n"
            "Path Root=/src\n"
            "# Folder Name=commented out\n"
            "Extensions=obj\n"
            "\n"
            "[Last]\n"
            "k=v\n");
  struct stat st {};
  ASSERT_EQ(::stat(Ini().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(IniProfileTest, UnreadableOrUnwritableStoreIsLeftAlone) {
  // A folder where the file should be: nothing can be read, and a write must
  // not replace it.
  fs::create_directories(Ini() / "sub");
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Path Root"), L"");
  EXPECT_FALSE(m_profile.WriteString(L"Settings", L"Path Root", L"/src"));
  EXPECT_TRUE(fs::is_directory(Ini() / "sub"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Ini().parent_path()), fs::directory_iterator()), 1);

  // The configuration folder cannot be made below a plain file.
  WriteAll(m_root / "file", "x");
  SetProcessEnvironmentVariable(L"XDG_CONFIG_HOME", (m_root / "file" / "config").wstring());
  EXPECT_FALSE(m_profile.WriteString(L"Settings", L"Path Root", L"/src"));
  EXPECT_EQ(ReadAll(m_root / "file"), "x");
}

TEST_F(IniProfileTest, SymbolicLinkToTheFileIsFollowedAndKept) {
  fs::create_directories(Ini().parent_path());
  const fs::path target = m_root / "dotfiles.ini";
  WriteAll(target, "[Settings]\nExtensions=o\n");
  fs::create_symlink(target, Ini());

  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"/src"));
  EXPECT_TRUE(fs::is_symlink(Ini()));
  EXPECT_EQ(ReadAll(target), "[Settings]\nExtensions=o\nPath Root=/src\n");
}
