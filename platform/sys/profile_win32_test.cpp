// The registry store itself: the key it uses and the values it writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sys/profile.h"

namespace {

const wchar_t kKey[] = L"Software\\VelmoraRegistryTest\\RegistryStore\\Settings";

class RegistryProfileTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(m_profile.DeleteStore()); }
  CProfile m_profile{L"VelmoraRegistryTest", L"RegistryStore"};
};

}  // namespace

TEST_F(RegistryProfileTest, ValuesAreStringsUnderCompanyApplicationAndSection) {
  EXPECT_EQ(m_profile.GetLocation(), L"HKEY_CURRENT_USER\\Software\\VelmoraRegistryTest\\RegistryStore");
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Path Root", L"C:\\Work"));

  wchar_t buffer[64] = {0};
  DWORD type = 0, bytes = sizeof(buffer);
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Path Root", RRF_RT_ANY, &type, buffer, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(buffer, L"C:\\Work");
  EXPECT_EQ(bytes, sizeof(L"C:\\Work"));

  // A value of another type is not a setting.
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const DWORD number = 7;
  ::RegSetValueExW(key, L"Extensions", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  ::RegCloseKey(key);
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Extensions"), L"");

  // Deleting the store also removes the company key it leaves empty.
  ASSERT_TRUE(m_profile.DeleteStore());
  ASSERT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VelmoraRegistryTest", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(RegistryProfileTest, LongValuesAreReadWhole) {
  const CString value(5000, L'x');
  ASSERT_TRUE(m_profile.WriteString(L"Settings", L"Folder Name", value));
  EXPECT_EQ(m_profile.GetString(L"Settings", L"Folder Name"), value);
}

// Another store of the same company deleted while this one writes takes the
// company key with it whenever it is empty for a moment: between the levels
// a write creates, its key can vanish under it.
TEST_F(RegistryProfileTest, WritesHoldWhileAnotherStoreOfTheCompanyComesAndGoes) {
  std::atomic<bool> done{false};
  std::thread other([&done] {
    const CProfile profile(L"VelmoraRegistryTest", L"Other");
    while (!done) {
      profile.WriteString(L"Settings", L"Path Root", L"x");
      profile.DeleteStore();
    }
  });
  int failed = 0;
  for (int i = 0; i < 400; ++i) {
    failed += !m_profile.WriteString(L"Settings", L"Path Root", L"C:\\Work");
    failed += !m_profile.DeleteStore();
  }
  done = true;
  other.join();
  EXPECT_EQ(failed, 0);
}
