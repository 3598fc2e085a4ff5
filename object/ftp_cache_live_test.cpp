// Lists the local FTP servers of the ctest fixture "ftp"
// (platform/testing/ftp_test_server.sh) with CFtpFileFind, feeds the entries
// into a CFtpCache and writes and reads its lists as text. Each server serves:
//   readme.txt (6 bytes, 2024-03-05), "name with blanks.txt" (3),
//   Ünïcødé.txt (2), big.bin (5 GiB + 1, sparse), folder/inner.txt (2),
//   empty/, Ördner/日本語.txt (1)
#include <gtest/gtest.h>

#include "object/ftp_cache.h"
#include "platform/ftp_file_find.h"
#include "platform/process.h"
#include "platform/testing/test_files.h"

namespace {

constexpr uint64_t k20240305 = 133540704000000000ULL;
constexpr uint64_t kDay = 864000000000ULL;
const CFtpListLimits kLimits{5000, 20000};

bool IsWindows() { return PlatformPathSeparator() == L'\\'; }

// Adds every entry of folder (a URL or a folder of server) to cache.
void AddListing(const CString& server, const CString& folder, CFtpCache& cache) {
  CFtpFileFind find(server, kLimits);
  ASSERT_TRUE(find.FindFile(folder)) << folder << ": " << find.GetListError().strText;
  for (bool more = true; more;) {
    more = find.FindNextFile();
    cache.Add(CFtpPath(find));
  }
}

// The listing of the root, folder and Ördner, cached.
void CacheTree(const CString& server, CFtpCache& cache) {
  AddListing(CString(), server, cache);
  AddListing(server, L"folder", cache);
  AddListing(server, L"/\u00d6rdner/*", cache);
}

// Every list of the cache, written and read back into a second cache.
void RoundTrip(CFtpCache& cache, CFtpCache& back) {
  for (auto& entry : cache) {
    CString xml;
    entry.second->WriteXML(xml);
    auto* list = new CFtpPathList;
    back.SetAt(entry.first, list);
    ASSERT_TRUE(list->ReadXML(xml));
    EXPECT_EQ(list->tag, entry.first);
    ASSERT_EQ(list->GetCount(), entry.second->GetCount());
    auto item = entry.second->begin();
    for (CFtpPath* read : *list) {
      EXPECT_EQ(read->GetPath(), (*item)->GetPath());
      EXPECT_EQ(read->Length(), (*item)->Length());
      EXPECT_EQ(read->GetAttr(), (*item)->GetAttr());
      EXPECT_EQ(read->LastWriteTime(), (*item)->LastWriteTime());
      ++item;
    }
  }
}

class FtpCacheLive : public testing::Test {
 protected:
  void SetUp() override {
    const CString file = GetProcessEnvironmentVariable(L"VELMORA_FTP_TEST_SERVERS");
    if (file.empty()) GTEST_SKIP() << "no FTP test servers: ctest's fixture \"ftp\" starts them";
    std::string text;
    ASSERT_TRUE(ReadFileForTesting(file, text));
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      m_servers.push_back(CString(text.begin() + at, text.begin() + end));
    ASSERT_EQ(m_servers.size(), 2u);
  }

  std::vector<CString> m_servers;
};

}  // namespace

TEST_F(FtpCacheLive, ListingGoesIntoTheCacheAndSurvivesItsText) {
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    CFtpCache cache;
    ASSERT_NO_FATAL_FAILURE(CacheTree(server, cache));
    const CFtpPathList* root = cache.CurList(L"/");
    ASSERT_NE(root, nullptr);
    const CFtpPath* readme = root->FindByPath(L"/readme.txt");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(readme->Length(), 6u);
    EXPECT_TRUE(readme->IsNormal());
    EXPECT_GE(readme->LastWriteTime().GetTime(), k20240305);
    EXPECT_LT(readme->LastWriteTime().GetTime(), k20240305 + kDay);
    ASSERT_NE(root->FindByPath(L"/\u00dcn\u00efc\u00f8d\u00e9.txt"), nullptr);
    EXPECT_EQ(root->FindByPath(L"/\u00dcn\u00efc\u00f8d\u00e9.txt")->Length(), 2u);

    // A folder's entry lands in its own directory's list, beside its content.
    for (const wchar_t* dir : {L"/folder/", L"/empty/", L"/\u00d6rdner/"}) {
      const CFtpPathList* list = cache.CurList(dir);
      ASSERT_NE(list, nullptr) << dir;
      EXPECT_TRUE(list->GetHead()->IsDirectory()) << dir;
      EXPECT_EQ(list->GetHead()->GetPath(), dir);
      EXPECT_EQ(list->GetCount(), CString(dir) == L"/empty/" ? 1u : 2u) << dir;
    }
    EXPECT_EQ(cache.CurList(L"/folder/")->GetTail()->GetPath(), L"/folder/inner.txt");
    EXPECT_EQ(cache.CurList(L"/\u00d6rdner/")->GetTail()->GetFileName(true), L"\u65e5\u672c\u8a9e.txt");

    CFtpCache back;
    RoundTrip(cache, back);
    EXPECT_EQ(back.GetCount(), cache.GetCount());
  }
  CFtpFileFind noServer;
  EXPECT_FALSE(noServer.FindFile(L"/pub/"));
  EXPECT_FALSE(noServer.GetListError().strText.empty());
}

TEST_F(FtpCacheLive, KeepsSizesPast4GiBAndBlanksInNames) {
  if (IsWindows()) {
    GTEST_SKIP() << "Wine's WinINet parser caps sizes at 2^31-1, cuts names at the first blank and gives files "
                    "attribute 0";
  }
  for (const CString& server : m_servers) {
    SCOPED_TRACE(server);
    CFtpCache cache;
    ASSERT_NO_FATAL_FAILURE(AddListing(CString(), server, cache));
    CFtpCache back;
    RoundTrip(cache, back);
    for (CFtpCache* c : {&cache, &back}) {
      const CFtpPathList* root = c->CurList(L"/");
      ASSERT_NE(root, nullptr);
      ASSERT_NE(root->FindByPath(L"/big.bin"), nullptr);
      EXPECT_EQ(root->FindByPath(L"/big.bin")->Length(), 5368709121ULL);
      ASSERT_NE(root->FindByPath(L"/name with blanks.txt"), nullptr);
      EXPECT_EQ(root->FindByPath(L"/name with blanks.txt")->Length(), 3u);
      EXPECT_EQ(root->ComputeTotalLength(), 6 + 3 + 2 + 5368709121LL);
    }
  }
}
