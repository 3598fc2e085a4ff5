// Lists the local FTP servers that the ctest fixture "ftp" runs
// (testing/ftp_test_server.sh): [0] anonymous with MLSD, [1] with a login
// and LIST only. Its tree:
//   readme.txt (6 bytes, 2024-03-05 06:07:08 UTC), "name with blanks.txt"
//   (3), Ünïcødé.txt (2, made at the start), big.bin (5 GiB + 1, sparse),
//   folder/inner.txt, empty/, Ördner/日本語.txt
#include "platform/ftp/ftp_listing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "platform/sys/process.h"
#include "testing/ftp_test_servers.h"
#include "testing/test_files.h"

namespace {

constexpr uint64_t k20240305_060708 = 133540924280000000ULL;
constexpr uint64_t k20240305 = 133540704000000000ULL;
constexpr uint64_t kDay = 864000000000ULL;
const CFtpListLimits kLimits{5000, 20000};

bool IsWindows() { return PlatformPathSeparator() == L'\\'; }

uint64_t Now() {
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  return 116444736000000000ULL +
         static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::seconds>(since1970).count()) * 10000000ULL;
}

// The entries of the folder at url by name.
std::map<CString, CFtpListEntry> List(const CString& url) {
  std::vector<CFtpListEntry> entries;
  CFtpListError error;
  EXPECT_TRUE(ListFtpFolder(url, kLimits, entries, &error)) << error.strText;
  std::map<CString, CFtpListEntry> byName;
  for (const CFtpListEntry& entry : entries) byName[entry.strName] = entry;
  return byName;
}

using FtpListing = CFtpServersTest;

}  // namespace

TEST_F(FtpListing, ListsEntriesWithKindsSizesAndTimes) {
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    auto entries = List(server);
    EXPECT_EQ(entries.count(L"."), 0u);
    EXPECT_EQ(entries.count(L".."), 0u);
    for (const wchar_t* folder : {L"folder", L"empty", L"\u00d6rdner"})
      EXPECT_EQ(entries[folder].nAttributes & FILE_ATTRIBUTE_DIRECTORY, static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY))
          << folder;
    const CFtpListEntry& readme = entries[L"readme.txt"];
    EXPECT_EQ(readme.nSize, 6u);
    EXPECT_EQ(readme.nAttributes, static_cast<uint32_t>(FILE_ATTRIBUTE_NORMAL));
    // MLSD gives the second; LIST gives only the day of a file this old
    // (midnight here, noon in Wine's WinINet).
    if (server == m_servers[0] && !IsWindows()) {
      EXPECT_EQ(readme.nLastWriteTime, k20240305_060708);
    } else {
      EXPECT_GE(readme.nLastWriteTime, k20240305);
      EXPECT_LT(readme.nLastWriteTime, k20240305 + kDay);
    }
    const CFtpListEntry& recent = entries[L"\u00dcn\u00efc\u00f8d\u00e9.txt"];
    EXPECT_EQ(recent.nSize, 2u);
    // A recent file's year is not in a LIST line: it must not come out a year off.
    EXPECT_LT(recent.nLastWriteTime, Now() + kDay);
    EXPECT_GT(recent.nLastWriteTime, Now() - kDay);
  }
}

TEST_F(FtpListing, KeepsBlanksInNamesAndSizesPast4GiB) {
  if (IsWindows()) GTEST_SKIP() << "Wine's WinINet cuts names at the first blank and caps sizes at 2^31-1";
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    auto entries = List(server);
    EXPECT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[L"name with blanks.txt"].nSize, 3u);
    EXPECT_EQ(entries[L"big.bin"].nSize, 5368709121ULL);
  }
}

TEST_F(FtpListing, ListsSubfoldersByPathOrPattern) {
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    for (const wchar_t* path : {L"folder/", L"folder/*.*", L"folder", L"./folder/*"}) {
      auto entries = List(server + path);
      ASSERT_EQ(entries.size(), 1u) << path;
      EXPECT_EQ(entries[L"inner.txt"].nSize, 2u);
    }
    for (const wchar_t* path : {L"\u00d6rdner/", L"%C3%96rdner/*"}) {
      auto entries = List(server + path);
      ASSERT_EQ(entries.size(), 1u) << path;
      EXPECT_EQ(entries.begin()->first, L"\u65e5\u672c\u8a9e.txt");
    }
    std::vector<CFtpListEntry> entries(1);
    EXPECT_TRUE(ListFtpFolder(server + L"empty/", kLimits, entries, nullptr));
    EXPECT_TRUE(entries.empty());
  }
}

TEST_F(FtpListing, FailsWithReasonForMissingFolderOrWrongLogin) {
  CString wrongLogin = m_servers[1];
  wrongLogin.replace(wrongLogin.find(L"p%40ss"), 6, L"wrong");
  for (const CString& url : {m_servers[0] + L"missing/", m_servers[1] + L"readme.txt/", wrongLogin}) {
    std::vector<CFtpListEntry> entries(1);
    CFtpListError error;
    EXPECT_FALSE(ListFtpFolder(url, kLimits, entries, &error)) << url;
    EXPECT_NE(error.nCode, 0) << url;
    EXPECT_FALSE(error.strText.empty()) << url;
    EXPECT_EQ(entries.size(), 1u) << "a failure leaves the entries as they were";
  }
}

TEST(FtpListingLimits, UnreachableServerFailsWithinTheLimit) {
  const CFtpListLimits limits{500, 500};
  // A closed port, an address that does not answer, and no FTP URL at all.
  for (const wchar_t* url : {L"ftp://127.0.0.1:1/", L"ftp://10.255.255.1/", L"http://127.0.0.1/"}) {
    std::vector<CFtpListEntry> entries;
    CFtpListError error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ListFtpFolder(url, limits, entries, &error)) << url;
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(2500)) << url;
    EXPECT_FALSE(error.strText.empty()) << url;
  }
}
