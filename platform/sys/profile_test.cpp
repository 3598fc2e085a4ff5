#include "platform/sys/profile.h"

#include <gtest/gtest.h>

#include "platform/encoding.h"
#include "testing/test_files.h"

namespace {

// Each test gets its own store: a private XDG_CONFIG_HOME (POSIX) and an
// application name of its own (the registry on Windows), removed afterwards.
class ProfileTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(Profile().DeleteStore()); }
  CProfile Profile() const { return CProfile(L"VelmoraTests", m_strName); }

  CString m_strName = WidenFromAnsi(::testing::UnitTest::GetInstance()->current_test_info()->name());
  CScopedTempFolder m_config;
  CScopedEnvironment m_xdg{L"XDG_CONFIG_HOME", m_config.Path()};
};

}  // namespace

TEST_F(ProfileTest, ValuesRoundTripExactly) {
  const CProfile profile = Profile();
  const CString values[] = {
      L"C:\\Work\\Proj",
      L"/home/bob/src",
      L"a=b=c",
      L"  leading and trailing blanks  ",
      L"obj pdb sbr ilk pch idb ncb exe",
      L"line one\r\nline two\nthree\r",
      L"\\n is not a line feed, \\\\ two backslashes, \\0 no NUL",
      L"[Settings]",
      L"; not a comment",
      L"Caf\u00e9 \u4e2d\u6587 \u00e5",
      CString(L"nul\0inside", 10),
      L"",
  };
  for (const CString& value : values) {
    ASSERT_TRUE(profile.WriteString(L"Settings", L"Path Root", value));
    EXPECT_EQ(profile.GetString(L"Settings", L"Path Root"), value);
  }
}

TEST_F(ProfileTest, EntriesAndSectionsAreIndependentCaseInsensitiveAndEmptyWhenMissing) {
  const CProfile profile = Profile();
  EXPECT_EQ(profile.GetString(L"Settings", L"Path Root"), L"");  // no store
  ASSERT_TRUE(profile.WriteString(L"Settings", L"Extensions", L"obj"));
  EXPECT_EQ(profile.GetString(L"Settings", L"Path Root"), L"");  // no entry
  EXPECT_EQ(profile.GetString(L"Other", L"Extensions"), L"");    // no section
  EXPECT_EQ(CProfile(L"VelmoraTests", m_strName + L"X").GetString(L"Settings", L"Extensions"), L"");
  ASSERT_TRUE(profile.WriteString(L"Settings", L"Path Root", L"/src"));
  ASSERT_TRUE(profile.WriteString(L"Settings", L"Folder Name", L"Debug Release"));
  ASSERT_TRUE(profile.WriteString(L"Window", L"Path Root", L"elsewhere"));
  ASSERT_TRUE(profile.WriteString(L"Settings", L"Extensions", L"o"));

  EXPECT_EQ(profile.GetString(L"Settings", L"Path Root"), L"/src");
  EXPECT_EQ(profile.GetString(L"Settings", L"Extensions"), L"o");
  EXPECT_EQ(profile.GetString(L"Settings", L"Folder Name"), L"Debug Release");
  EXPECT_EQ(profile.GetString(L"Window", L"Path Root"), L"elsewhere");
  EXPECT_EQ(profile.GetString(L"SETTINGS", L"path root"), L"/src");

  // Another company's store with the same application name is another store.
  EXPECT_EQ(CProfile(L"VelmoraTestsOther", m_strName).GetString(L"Settings", L"Path Root"), L"");

  ASSERT_TRUE(profile.DeleteStore());
  EXPECT_EQ(profile.GetString(L"Settings", L"Path Root"), L"");
  EXPECT_TRUE(profile.DeleteStore());
}

TEST_F(ProfileTest, NamesThatWouldNotReadBackAreRefused) {
  const CProfile profile = Profile();
  for (const CString entry : {L"", L"a=b", L"two\nlines", L" Path Root", L"[Path Root", L"; Path Root"})
    EXPECT_FALSE(profile.WriteString(L"Settings", entry, L"x")) << NarrowToAnsi(entry);
  EXPECT_FALSE(profile.WriteString(L"Set]tings", L"Path Root", L"x"));
  EXPECT_FALSE(profile.WriteString(L"", L"Path Root", L"x"));
}
