// The helpers on the controls of the build: real windows on Windows, the
// in-process models on POSIX.
#include "winui/control_helpers.h"

#include <gtest/gtest.h>

namespace {

int g_nFirst, g_nSecond, g_nOther;  // their addresses are the item data
void* const kFirst = &g_nFirst;
void* const kSecond = &g_nSecond;
void* const kOther = &g_nOther;

// A list view with items a..d carrying kFirst, kSecond, kFirst and null.
class ListView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_list.Create(nullptr));
    void* data[] = {kFirst, kSecond, kFirst, nullptr};
    for (int i = 0; i < 4; ++i) {
      ASSERT_EQ(m_list.InsertItem(i, CString(1, static_cast<wchar_t>(L'a' + i))), i);
      ASSERT_TRUE(m_list.SetItemData(i, reinterpret_cast<uintptr_t>(data[i])));
    }
  }
  CString Texts() const {
    CString texts;
    for (int i = 0; i < m_list.GetItemCount(); ++i) texts += m_list.GetItemText(i, 0);
    return texts;
  }

  CListCtrl m_list;
};

// An empty box, then one with items carrying 7, 9 and 7.
template <typename Box>
void ExpectSelectionByData() {
  Box box;
  ASSERT_TRUE(box.Create(nullptr));
  unsigned long data = 42;  // a DWORD on Windows
  EXPECT_FALSE(SelectItem(box, 7u));
  for (unsigned long value : {7ul, 9ul, 7ul}) ASSERT_TRUE(box.SetItemData(box.AddString(L"item"), value));
  EXPECT_FALSE(GetSelItemData(box, data));
  EXPECT_EQ(data, 42u);  // untouched

  EXPECT_TRUE(SelectItem(box, 9u));
  EXPECT_TRUE(GetSelItemData(box, data));
  EXPECT_EQ(data, 9u);
  EXPECT_TRUE(SelectItem(box, 7u));
  EXPECT_EQ(box.GetCurSel(), 0);  // the lower of two
  EXPECT_FALSE(SelectItem(box, 8u));
  EXPECT_EQ(box.GetCurSel(), 0);
}

}  // namespace

TEST_F(ListView, DataFindsTheLowestMatchingItemAndNullFindsNothing) {
  EXPECT_EQ(FindItemIndex(m_list, kSecond), 1);
  EXPECT_EQ(FindItemIndex(m_list, kOther), -1);
  EXPECT_EQ(FindItemIndex(m_list, nullptr), -1);

  EXPECT_EQ(SetItemText(m_list, kFirst, L"A"), 1);
  for (void* data : {static_cast<void*>(nullptr), kOther})
    EXPECT_EQ(SetItemText(m_list, data, L"X") + DeleteItem(m_list, data), 0) << data;
  EXPECT_EQ(Texts(), L"Abcd");
  EXPECT_EQ(DeleteItem(m_list, kFirst), 1);
  EXPECT_EQ(Texts(), L"bcd");

  // Remove searches null like any other value.
  EXPECT_TRUE(Remove(m_list, nullptr));
  EXPECT_FALSE(Remove(m_list, nullptr));
  EXPECT_FALSE(Remove(m_list, kOther));
  EXPECT_TRUE(Remove(m_list, kFirst));
  EXPECT_EQ(Texts(), L"b");
  EXPECT_TRUE(Remove(m_list, kSecond));
  EXPECT_FALSE(Remove(m_list, kSecond));  // empty
}

TEST_F(ListView, SelectingAddsToTheSelection) {
  EXPECT_EQ(GetFirstSelectedItem(m_list), -1);
  for (void* data : {static_cast<void*>(nullptr), kOther}) EXPECT_EQ(SelectItem(m_list, data), -1);
  EXPECT_EQ(SelectItem(m_list, 99), 0);
  EXPECT_EQ(GetFirstSelectedItem(m_list), -1);

  EXPECT_EQ(SelectItem(m_list, 3), 1);
  EXPECT_EQ(GetFirstSelectedItem(m_list), 3);
  EXPECT_EQ(SelectItem(m_list, kFirst), 0);  // the lower of two
  EXPECT_EQ(GetFirstSelectedItem(m_list), 0);
  EXPECT_EQ(m_list.GetItemState(2, kListItemSelected), 0u);
  EXPECT_EQ(m_list.GetItemState(3, kListItemSelected), kListItemSelected);  // still

  CListCtrl none;  // no window
  EXPECT_EQ(GetFirstSelectedItem(none), -1);
  EXPECT_EQ(FindItemIndex(none, kFirst), -1);
}

TEST(ControlHelpers, ComboBoxAndListBoxSelectByData) {
  ExpectSelectionByData<CComboBox>();
  ExpectSelectionByData<CListBox>();
}

TEST(ControlHelpers, ListBoxRemoveDeletesTheFirstMatch) {
  CListBox box;
  ASSERT_TRUE(box.Create(nullptr));
  for (void* data : {kFirst, kSecond, kFirst}) {
    const int index = box.AddString(data == kFirst ? L"first" : L"second");
    ASSERT_TRUE(box.SetItemData(index, reinterpret_cast<uintptr_t>(data)));
  }
  EXPECT_FALSE(Remove(box, kOther));
  EXPECT_TRUE(Remove(box, kFirst));
  ASSERT_EQ(box.GetCount(), 2);
  EXPECT_EQ(box.GetText(0), L"second");
  EXPECT_TRUE(Remove(box, kFirst) && Remove(box, kSecond));
  EXPECT_FALSE(Remove(box, kSecond));  // empty
}

TEST(ControlHelpers, FixHScrollFitsTheWidestTextPlusOneAverageCharacter) {
  CListBox none;
  FixHScroll(none);  // no window: nothing

  CListBox box;
  ASSERT_TRUE(box.Create(nullptr));
  box.SetHorizontalExtent(500);
  FixHScroll(box);
  EXPECT_EQ(box.GetHorizontalExtent(), 0);  // empty

  const int average = box.GetAverageCharWidth();
  ASSERT_GT(average, 0);
  box.AddString(L"");
  FixHScroll(box);
  EXPECT_EQ(box.GetHorizontalExtent(), average);

  for (const wchar_t* text : {L"iiii", L"WWWW WWWW", L"mm"}) box.AddString(text);
  FixHScroll(box);
  EXPECT_EQ(box.GetHorizontalExtent(), box.GetTextWidth(L"WWWW WWWW") + average);
}
