// Reads the compiled resources back from this test program, which links the
// same script as Velmora.exe, and checks them against the dialog's layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/res/resource.h"

namespace {

struct CTemplateItem {
  DWORD dwStyle = 0;
  RECT rect{};  // dialog units
  int nId = 0;
  WORD wClass = 0;  // predefined class (0x80 button, 0x81 edit, 0x82 static), else 0
  std::wstring strClass, strText;
  WORD wTextOrdinal = 0;  // resource id given as the text (icons)
};

struct CTemplate {
  DWORD dwStyle = 0;
  short cx = 0, cy = 0;
  std::wstring strTitle, strFont;
  WORD wPointSize = 0;
  std::vector<CTemplateItem> items;
};

// Reads an extended dialog template, the layout windres writes for DIALOGEX.
CTemplate ReadTemplate(const BYTE* base) {
  const BYTE* p = base;
  auto word = [&p] { WORD w; std::memcpy(&w, p, 2); p += 2; return w; };
  auto dword = [&p] { DWORD d; std::memcpy(&d, p, 4); p += 4; return d; };
  auto sz = [&word] { std::wstring s; for (WORD c = word(); c != 0; c = word()) s += wchar_t(c); return s; };
  auto szOrOrd = [&](std::wstring& text, WORD& ordinal) {
    if (p[0] == 0xFF && p[1] == 0xFF) { p += 2; ordinal = word(); } else { text = sz(); }
  };
  CTemplate t;
  EXPECT_EQ(word(), 1);       // version
  EXPECT_EQ(word(), 0xFFFF);  // extended
  p += 8;                     // help id, extended style
  t.dwStyle = dword();
  const WORD count = word();
  p += 4;  // x, y
  t.cx = short(word());
  t.cy = short(word());
  std::wstring ignored;
  WORD ordinal = 0;
  szOrOrd(ignored, ordinal);  // menu
  szOrOrd(ignored, ordinal);  // class
  t.strTitle = sz();
  if (t.dwStyle & DS_SETFONT) {
    t.wPointSize = word();
    p += 4;  // weight, italic, charset
    t.strFont = sz();
  }
  for (WORD i = 0; i < count; ++i) {
    p = base + ((p - base + 3) & ~3);
    CTemplateItem item;
    p += 8;  // help id, extended style
    item.dwStyle = dword();
    item.rect.left = short(word());
    item.rect.top = short(word());
    item.rect.right = item.rect.left + short(word());
    item.rect.bottom = item.rect.top + short(word());
    item.nId = int(dword());
    szOrOrd(item.strClass, item.wClass);
    szOrOrd(item.strText, item.wTextOrdinal);
    p += word();  // creation data
    t.items.push_back(item);
  }
  return t;
}

const BYTE* LoadRaw(int id, LPCWSTR type, DWORD* size = nullptr) {
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return nullptr;
  if (size != nullptr) *size = ::SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
}

CTemplate LoadTemplate(int id) {
  const BYTE* data = LoadRaw(id, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  EXPECT_NE(data, nullptr) << "dialog " << id;
  return data != nullptr ? ReadTemplate(data) : CTemplate();
}

const CTemplateItem* FindText(const CTemplate& t, const std::wstring& text) {
  for (const CTemplateItem& item : t.items)
    if (item.strText == text) return &item;
  return nullptr;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const WORD kButton = 0x80;

}  // namespace

// The template's own lines are not restated here; what the compiled dialog
// must satisfy as a whole is: its frame, and a layout a user can read.
TEST(Resources, MainDialogLayoutFitsAndGroupsHoldTheirControls) {
  const CTemplate t = LoadTemplate(IDD_VELMORA_DIALOG);
  EXPECT_EQ(t.strTitle, L"Velmora");
  EXPECT_EQ(t.strFont, L"MS Shell Dlg");
  EXPECT_EQ(t.wPointSize, 8);
  EXPECT_EQ(t.cx, 320);
  EXPECT_EQ(t.cy, 231);
  for (const CTemplateItem& item : t.items)
    EXPECT_TRUE(Contains(RECT{0, 0, t.cx, t.cy}, item.rect)) << "control " << item.nId << " outside the dialog";
  std::vector<const CTemplateItem*> plain;
  for (const CTemplateItem& item : t.items)
    if (!(item.wClass == kButton && (item.dwStyle & BS_TYPEMASK) == BS_GROUPBOX)) plain.push_back(&item);
  for (size_t i = 0; i < plain.size(); ++i)
    for (size_t j = i + 1; j < plain.size(); ++j)
      EXPECT_FALSE(Overlap(plain[i]->rect, plain[j]->rect)) << "controls " << i << " and " << j;

  const CTemplateItem* files = FindText(t, L"Remove Files");
  const CTemplateItem* folders = FindText(t, L"Remove Folders");
  ASSERT_TRUE(files && folders);
  for (const CTemplateItem& item : t.items) {
    const bool inFiles = item.strText == L"Extension:" || item.nId == IDC_EXTENSION || item.nId == IDC_MENU ||
                         item.nId == IDC_REMOVE_FILES;
    const bool inFolders = item.strText == L"Folder Name:" || item.nId == IDC_FOLDER_NAME ||
                           item.nId == IDC_REMOVE_FOLDERS;
    EXPECT_EQ(Contains(files->rect, item.rect), inFiles || &item == files) << item.nId;
    EXPECT_EQ(Contains(folders->rect, item.rect), inFolders || &item == folders) << item.nId;
  }
}

TEST(Resources, PresetMenuAboutStringIconsAndManifest) {
  HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PRESET_MENU));
  ASSERT_NE(menu, nullptr);
  auto text = [](HMENU m, int position) {
    wchar_t buffer[64] = {0};
    ::GetMenuStringW(m, position, buffer, 64, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  HMENU popup = ::GetSubMenu(menu, 0);
  EXPECT_EQ(::GetMenuItemCount(menu), 1);
  EXPECT_EQ(text(menu, 0), L"Cleanup CPP Project");
  ASSERT_EQ(::GetMenuItemCount(popup), 2);
  EXPECT_EQ(::GetMenuItemID(popup, 0), UINT(ID_PRESET_CPP));
  EXPECT_EQ(::GetMenuItemID(popup, 1), UINT(ID_PRESET_MPLAB));
  EXPECT_EQ(text(popup, 0), L"CPP");
  EXPECT_EQ(text(popup, 1), L"MPLAB");
  ::DestroyMenu(menu);

  wchar_t about[64] = {0};
  EXPECT_EQ(::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 64), 17);
  EXPECT_STREQ(about, L"&About Velmora...");

  // Each icon holds images of 16, 32 and 48 pixels.
  for (const int id : {IDR_MAINFRAME, IDI_VELMORA}) {
    const BYTE* group = LoadRaw(id, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr) << id;
    EXPECT_EQ(group[4], 3) << id;  // image count
    for (int i = 0; i < 3; ++i) EXPECT_EQ(group[6 + 14 * i], std::vector<int>({16, 32, 48})[i]) << id;
  }

  DWORD size = 0;
  const BYTE* manifest = LoadRaw(1, MAKEINTRESOURCEW(24) /* RT_MANIFEST */, &size);
  ASSERT_NE(manifest, nullptr);
  const std::string xml(reinterpret_cast<const char*>(manifest), size);
  EXPECT_NE(xml.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
}
