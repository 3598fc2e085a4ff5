#include "text/error_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct CSample {
  uint32_t code;
  const wchar_t* name;
};

void ExpectSortedAndUnique(const CErrorName* table, size_t count) {
  std::set<std::string> names;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) {
      EXPECT_LT(table[i - 1].nCode, table[i].nCode) << table[i].pszName;
    }
    EXPECT_TRUE(names.insert(table[i].pszName).second) << table[i].pszName;
  }
}

}  // namespace

TEST(ErrorNames, TablesHoldEveryCodeOnceInOrder) {
  EXPECT_EQ(g_wholeCodeNamesCount, 392u);
  EXPECT_EQ(g_systemErrorNamesCount, 676u);
  ExpectSortedAndUnique(g_wholeCodeNames, g_wholeCodeNamesCount);
  ExpectSortedAndUnique(g_systemErrorNames, g_systemErrorNamesCount);
}

TEST(ErrorNames, CodesAcrossTheRunsHaveTheirNames) {
  // First and last codes of runs, long runs' ends and single-code runs.
  const CSample kWhole[] = {
      {0x00000000, L"S_OK"}, {0x00000001, L"S_FALSE"}, {0x00030203, L"STG_S_MONITORING"},
      {0x00040002, L"OLE_S_MAC_CLIPFORMAT"}, {0x000401E7, L"MK_S_MONIKERALREADYREGISTERED"},
      {0x00080012, L"CO_S_NOTALLINTERFACES"}, {0x8000000A, L"E_PENDING"}, {0x80004001, L"E_NOTIMPL"}, {0x80004005, L"E_FAIL"},
      {0x80004021, L"CO_E_NOT_SUPPORTED"}, {0x8000FFFF, L"E_UNEXPECTED"},
      {0x8001011D, L"RPC_E_INVALID_OBJREF"}, {0x80020011, L"DISP_E_NOTACOLLECTION"},
      {0x80028CA3, L"TYPE_E_CANTCREATETMPFILE"}, {0x80029C84, L"TYPE_E_CIRCULARTYPE"},
      {0x80030109, L"STG_E_DOCFILECORRUPT"}, {0x80030202, L"STG_E_TERMINATED"},
      {0x80040012, L"OLE_E_NOSTORAGE"}, {0x800401FF, L"CO_E_RELEASED"}, {0x80070006, L"E_HANDLE"},
      {0x80070057, L"E_INVALIDARG"}, {0x80090021, L"NTE_SYS_ERR"}, {0x800A02EA, L"CTL_E_REPLACEMENTSTOOLONG"},
      {0x800B000B, L"PERSIST_E_NOTSELFSIZING"}, {0x800B010A, L"CERT_E_CHAINING"},
  };
  for (const CSample& entry : kWhole)
    EXPECT_EQ(GetHResultName(entry.code), entry.name) << std::hex << entry.code;

  const CSample kSystem[] = {
      {0, L"ERROR_SUCCESS"}, {2, L"ERROR_FILE_NOT_FOUND"}, {32, L"ERROR_SHARING_VIOLATION"},
      {34, L"ERROR_WRONG_DISK"}, {87, L"ERROR_INVALID_PARAMETER"}, {194, L"ERROR_ITERATED_DATA_EXCEEDS_64k"},
      {203, L"ERROR_ENVVAR_NOT_FOUND"}, {1022, L"ERROR_NOTIFY_ENUM_DIR"}, {1223, L"ERROR_CANCELLED"},
      {1459, L"ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION"}, {1832, L"RPC_X_WRONG_PIPE_VERSION"},
      {1913, L"RPC_S_SEND_INCOMPLETE"}, {3011, L"ERROR_SUCCESS_RESTART_REQUIRED"},
      {4006, L"ERROR_RPL_NOT_ALLOWED"}, {6118, L"ERROR_NO_BROWSER_SERVERS_FOUND"},
  };
  for (const CSample& entry : kSystem) EXPECT_EQ(GetSystemErrorName(entry.code), entry.name) << entry.code;

  // Just past a run, and beyond either end: no entry.
  for (uint32_t code : {0x00000002u, 0x80004022u, 0x800A0014u, 0x800B010Bu, 0xFFFFFFFFu})
    EXPECT_EQ(GetHResultName(code), L"") << std::hex << code;
  for (uint32_t code : {35u, 37u, 4007u, 6117u, 6119u, 0x80070002u})
    EXPECT_EQ(GetSystemErrorName(code), L"") << code;
}
