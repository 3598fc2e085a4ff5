// The FTP servers that ctest's fixture "ftp" (ftp_test_server.sh) runs for
// one test run: the file that VELMORA_FTP_TEST_SERVERS names holds their
// URLs, one a line (the anonymous MLSD server first, then the LIST server
// with a login).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/sys/process.h"
#include "testing/test_files.h"

// A test that lists the fixture's servers: skipped when they are not
// running (the test program started outside ctest).
class CFtpServersTest : public testing::Test {
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
