// FixHScroll on a list box that others made, wrapped by a control object,
// checked against the system's own measure and message.
#include <windows.h>

#include <gtest/gtest.h>

#include "winui/control_helpers.h"

TEST(ControlHelpersWin32, FixHScrollMeasuresInTheListBoxFont) {
  const HWND hwnd = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL, 0, 0, 200, 100, nullptr,
                                      nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hwnd, nullptr);
  // A font far from the default one, so that measuring in the wrong font shows.
  const HFONT font = ::CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  ASSERT_NE(font, nullptr);
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const wchar_t text[] = L"Wide text";
  ::SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));

  const HDC dc = ::GetDC(hwnd);
  const HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICW metrics{};
  SIZE size{};
  EXPECT_TRUE(::GetTextMetricsW(dc, &metrics));
  EXPECT_TRUE(::GetTextExtentPoint32W(dc, text, 9, &size));
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd, dc);

  {
    CListBox box(hwnd);
    FixHScroll(box);
  }
  EXPECT_EQ(::SendMessageW(hwnd, LB_GETHORIZONTALEXTENT, 0, 0), size.cx + metrics.tmAveCharWidth);
  EXPECT_TRUE(::IsWindow(hwnd));  // a wrapped window outlives its object
  ::DestroyWindow(hwnd);
  ::DeleteObject(font);
}
