// Reads the compiled resources back from this test program, which links the
// same script as Velmora.exe. The dialog's layout is checked on the real
// window (app/dialog).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/res/resource.h"

namespace {

const BYTE* LoadRaw(int id, LPCWSTR type, DWORD* size = nullptr) {
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return nullptr;
  if (size != nullptr) *size = ::SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
}

}  // namespace

TEST(Resources, IconsHoldThreeSizesAndTheManifestAsksForCommonControls6AndLongPaths) {
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
  EXPECT_NE(xml.find(">true</longPathAware>"), std::string::npos);
}
