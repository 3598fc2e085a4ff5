#include "text/hresult.h"

#include <gtest/gtest.h>

#include "platform/system_message.h"

namespace {

const wchar_t kControlText[] =
    L"This is a FACILITY_CONTROL error that is specific to the control's interface that returned this error. "
    L"See the documentation of the interface that returned this error for information about this HRESULT.";
const wchar_t kInterfaceText[] =
    L"This is a FACILITY_ITF error that is specific to the interface that returned this error. See the "
    L"documentation of the interface that returned this error for information about this HRESULT.";

CString HeaderOf(uint32_t code) {
  CString header, message;
  DecodeHResult(code, header, message);
  return header;
}

}  // namespace

TEST(HResult, HeaderNamesTheFacilityAndTheFirstNameThatApplies) {
  EXPECT_EQ(HeaderOf(0), L"HRESULT = 0 FACILITY = FACILITY_NULL S_OK");
  EXPECT_EQ(HeaderOf(0x17E6), L"HRESULT = 17e6 FACILITY = FACILITY_NULL ERROR_NO_BROWSER_SERVERS_FOUND");
  EXPECT_EQ(HeaderOf(0x80070005), L"HRESULT = 80070005 FACILITY = FACILITY_WIN32 E_ACCESSDENIED");
  EXPECT_EQ(HeaderOf(0x80070020), L"HRESULT = 80070020 FACILITY = FACILITY_WIN32 ERROR_SHARING_VIOLATION");
  EXPECT_EQ(HeaderOf(0x80070057), L"HRESULT = 80070057 FACILITY = FACILITY_WIN32 E_INVALIDARG");
  EXPECT_EQ(HeaderOf(0xE0070002), L"HRESULT = e0070002 FACILITY = FACILITY_WIN32 ERROR_FILE_NOT_FOUND");
  EXPECT_EQ(HeaderOf(0x00001000), L"HRESULT = 1000 FACILITY = FACILITY_NULL Unknown or new error");
  EXPECT_EQ(HeaderOf(0x00040002), L"HRESULT = 40002 FACILITY = FACILITY_ITF OLE_S_MAC_CLIPFORMAT");
  EXPECT_EQ(HeaderOf(0x80030202), L"HRESULT = 80030202 FACILITY = FACILITY_STORAGE STG_E_TERMINATED");
  EXPECT_EQ(HeaderOf(0x800401FF), L"HRESULT = 800401ff FACILITY = FACILITY_ITF CO_E_RELEASED");
  EXPECT_EQ(HeaderOf(0x80040050), L"HRESULT = 80040050 FACILITY = FACILITY_ITF Unknown or new error");
  EXPECT_EQ(HeaderOf(0x000401FF), L"HRESULT = 401ff FACILITY = FACILITY_ITF Unknown or new error");
  EXPECT_EQ(HeaderOf(0x800A0257), L"HRESULT = 800a0257 FACILITY = FACILITY_CONTROL Unknown or new error");
  EXPECT_EQ(HeaderOf(0x800C0005), L"HRESULT = 800c0005 FACILITY = FACILITY_INTERNET Unknown or new error");
  EXPECT_EQ(HeaderOf(0x80050001), L"HRESULT = 80050001 FACILITY = Unknown or new FACILITY code Unknown or new error");
  EXPECT_EQ(HeaderOf(0x800D0001), L"HRESULT = 800d0001 FACILITY = Unknown or new FACILITY code Unknown or new error");
}

TEST(HResult, ControlAndInterfaceCodesGetTheirFixedTextWithoutName) {
  CString header, message;
  DecodeHResult(0x800A0258, header, message);
  EXPECT_EQ(header, L"HRESULT = 800a0258 FACILITY = FACILITY_CONTROL ");
  EXPECT_EQ(message, kControlText);
  EXPECT_EQ(DescribeHResult(0x800A02BC), CString(L"HRESULT = 800a02bc FACILITY = FACILITY_CONTROL  ") + kControlText);

  DecodeHResult(0x80040200, header, message);
  EXPECT_EQ(header, L"HRESULT = 80040200 FACILITY = FACILITY_ITF ");
  EXPECT_EQ(message, kInterfaceText);
  // Below the fixed range the system is asked, and has nothing.
  DecodeHResult(0x80040050, header, message);
  EXPECT_EQ(message, L"");
}

TEST(HResult, SystemTextsAreEmptyOrFixedWhenTheSystemHasNone) {
  EXPECT_EQ(GetSystemErrorMessage(0x2BADC0DE), L"FormatMessage Netive Error");
  EXPECT_EQ(DescribeHResult(0x00001000), L"HRESULT = 1000 FACILITY = FACILITY_NULL Unknown or new error ");

  // A text that does not fit its buffer is no text.
  CString text;
  EXPECT_TRUE(FormatSystemMessage(2, kAnyLanguage, 400, text));
  EXPECT_GT(text.size(), 5u);
  EXPECT_FALSE(FormatSystemMessage(2, kAnyLanguage, 5, text));
  EXPECT_EQ(text, L"");
}
