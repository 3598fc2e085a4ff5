#include "app/engine/shown_path.h"

#include <gtest/gtest.h>

TEST(ShownPath, EscapesEveryControlCharacterAndNothingElse) {
  const struct {
    CString path, shown;
  } cases[] = {
      {L"C:\\src\\new\\a.obj", L"C:\\src\\new\\a.obj"},  // a separator before 'n' stays as it is
      {L"/a\nb", L"/a\\nb"},
      {L"/a\r\nb", L"/a\\r\\nb"},
      {L"/t\tb", L"/t\\tb"},
      {CString(L"/x") + L'\0' + L"y", L"/x\\x00y"},
      {L"/\x01\x1b\x1f\x20", L"/\\x01\\x1B\\x1F "},
      {L"/\x7f\x80\x9f\xa0\u00e9", L"/\\x7F\\x80\\x9F\xa0\u00e9"},
      {L"/\u2028ok", L"/\u2028ok"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShownPath(c.path), c.shown);
    EXPECT_EQ(HoldsControlCharacter(c.path), c.path != c.shown);
  }
}
