#include "platform/exception.h"

#include <gtest/gtest.h>

TEST(FileException, MessageNamesTheOperationTheFileAndTheOsError) {
  EXPECT_EQ(CFileException(L"Write", L"C:\\a b\\Velmora.log", 112).GetErrorMessage(),
            L"Write failed on 'C:\\a b\\Velmora.log' (OS error 112)");
  EXPECT_EQ(CFileException(L"Flush", L"", -5).GetErrorMessage(), L"Flush failed on '' (OS error -5)");
}
