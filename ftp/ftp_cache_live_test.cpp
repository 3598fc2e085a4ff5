// Lists the FTP servers of the ctest fixture "ftp" (ftp_test_server.sh:
// readme.txt of 6 bytes from 2024-03-05, "name with blanks.txt" of 3,
// Ünïcødé.txt of 2, big.bin of 5 GiB + 1, folder/inner.txt, empty/,
// Ördner/日本語.txt) into a CFtpCache, and reads its lists back from text.
#include <gtest/gtest.h>

#include "ftp/ftp_cache.h"
#include "platform/ftp/ftp_file_find.h"
#include "platform/sys/process.h"
#include "testing/ftp_test_servers.h"
#include "testing/test_files.h"

namespace {

constexpr uint64_t k20240305 = 133540704000000000ULL;
constexpr uint64_t kDay = 864000000000ULL;

// Adds every entry of folder (a URL, or a folder of server) to cache.
void AddListing(const CString& server, const CString& folder, CFtpCache& cache) {
  CFtpFileFind find(server, CFtpListLimits{5000, 20000});
  ASSERT_TRUE(find.FindFile(folder)) << folder << ": " << find.GetListError().strText;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    cache.Add(CFtpPath(find));
  }
}

// Each list of cache, read back from its text, writes the same text.
void ExpectRoundTrip(CFtpCache& cache) {
  for (auto& entry : cache) {
    CString xml;
    entry.second->WriteXML(xml);
    CFtpPathList back;
    ASSERT_TRUE(back.ReadXML(xml));
    CString again;
    back.WriteXML(again);
    EXPECT_EQ(again, xml);
  }
}

using FtpCacheLive = CFtpServersTest;

}  // namespace

TEST_F(FtpCacheLive, ListingGoesIntoTheCacheAndSurvivesItsText) {
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    CFtpCache cache;
    ASSERT_NO_FATAL_FAILURE(AddListing(CString(), server, cache));
    ASSERT_NO_FATAL_FAILURE(AddListing(server, L"folder", cache));
    ASSERT_NO_FATAL_FAILURE(AddListing(server, L"/\u00d6rdner/*", cache));
    const CFtpPath* readme = cache.CurList(L"/")->FindByPath(L"/readme.txt");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(readme->Length(), 6u);
    EXPECT_TRUE(readme->IsNormal());
    EXPECT_LT(readme->LastWriteTime().GetTime() - k20240305, kDay);
    ASSERT_NE(cache.CurList(L"/")->FindByPath(L"/\u00dcn\u00efc\u00f8d\u00e9.txt"), nullptr);
    // A folder's own entry lands in its list, ahead of its content.
    for (const CString dir : {L"/folder/", L"/empty/", L"/\u00d6rdner/"}) {
      ASSERT_NE(cache.CurList(dir), nullptr) << dir;
      EXPECT_TRUE(cache.CurList(dir)->GetHead()->IsDirectory()) << dir;
      EXPECT_EQ(cache.CurList(dir)->GetCount(), dir == L"/empty/" ? 1u : 2u) << dir;
    }
    EXPECT_EQ(cache.CurList(L"/\u00d6rdner/")->GetTail()->GetPath(), L"/\u00d6rdner/\u65e5\u672c\u8a9e.txt");
    ExpectRoundTrip(cache);
  }
}

TEST_F(FtpCacheLive, KeepsSizesPast4GiBAndBlanksInNames) {
  if (PlatformPathSeparator() == L'\\') {
    GTEST_SKIP() << "Wine's WinINet parser caps sizes at 2^31-1, cuts names at the first blank and gives files "
                    "attribute 0";
  }
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    CFtpCache cache;
    ASSERT_NO_FATAL_FAILURE(AddListing(CString(), server, cache));
    CString xml;
    cache.CurList(L"/")->WriteXML(xml);
    CFtpPathList root;
    ASSERT_TRUE(root.ReadXML(xml));
    EXPECT_EQ(root.FindByPath(L"/big.bin")->Length(), 5368709121ULL);
    EXPECT_EQ(root.FindByPath(L"/name with blanks.txt")->Length(), 3u);
    EXPECT_EQ(root.ComputeTotalLength(), 6 + 3 + 2 + 5368709121LL);
  }
}
