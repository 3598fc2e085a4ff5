#include "winui/control_helpers.h"

namespace {

uintptr_t AsItemData(const void* data) { return reinterpret_cast<uintptr_t>(data); }

// The first item of a combo box or list box whose data is data, or -1.
template <typename Box>
int FindBoxItem(const Box& box, uintptr_t data) {
  for (int i = 0; i < box.GetCount(); ++i) {
    if (box.GetItemData(i) == data) return i;
  }
  return -1;
}

template <typename Box>
bool SelectBoxItem(Box& box, unsigned long data) {
  const int index = FindBoxItem(box, data);
  return index >= 0 && box.SetCurSel(index) == index;
}

template <typename Box>
bool GetSelectedBoxData(Box& box, unsigned long& data) {
  const int index = box.GetCurSel();
  if (index < 0) return false;
  data = static_cast<unsigned long>(box.GetItemData(index));
  return true;
}

// Like FindItemIndex, but null is searched like any other value.
int FindListItem(const CListCtrl& list, uintptr_t data) {
  for (int i = 0; i < list.GetItemCount(); ++i) {
    if (list.GetItemData(i) == data) return i;
  }
  return -1;
}

}  // namespace

int FindItemIndex(const CListCtrl& list, void* data) {
  if (data == nullptr) return -1;
  return FindListItem(list, AsItemData(data));
}

int SelectItem(CListCtrl& list, int index) {
  return list.SetItemState(index, kListItemSelected, kListItemSelected) ? 1 : 0;
}

int SelectItem(CListCtrl& list, void* data) {
  const int index = FindItemIndex(list, data);
  if (index < 0) return index;
  SelectItem(list, index);
  return index;
}

int SetItemText(CListCtrl& list, void* data, const CString& text) {
  const int index = FindItemIndex(list, data);
  if (index < 0) return 0;
  return list.SetItemText(index, 0, text) ? 1 : 0;
}

int DeleteItem(CListCtrl& list, void* data) {
  const int index = FindItemIndex(list, data);
  if (index < 0) return 0;
  return list.DeleteItem(index) ? 1 : 0;
}

bool Remove(CListCtrl& list, void* data) {
  const int index = FindListItem(list, AsItemData(data));
  return index >= 0 && list.DeleteItem(index);
}

long GetFirstSelectedItem(CListCtrl& list) {
  if (!list.IsWindow()) return -1;
  return list.GetNextItem(-1, kNextSelected);
}

bool SelectItem(CComboBox& box, unsigned long data) { return SelectBoxItem(box, data); }

bool SelectItem(CListBox& box, unsigned long data) { return SelectBoxItem(box, data); }

bool GetSelItemData(CComboBox& box, unsigned long& data) { return GetSelectedBoxData(box, data); }

bool GetSelItemData(CListBox& box, unsigned long& data) { return GetSelectedBoxData(box, data); }

bool Remove(CListBox& box, void* data) {
  const int index = FindBoxItem(box, AsItemData(data));
  return index >= 0 && box.DeleteString(index) >= 0;
}

void FixHScroll(CListBox& box) {
  if (!box.IsWindow()) return;
  const int average = box.GetAverageCharWidth();
  int widest = 0;
  for (int i = 0; i < box.GetCount(); ++i) {
    const int width = box.GetTextWidth(box.GetText(i)) + average;
    if (width > widest) widest = width;
  }
  box.SetHorizontalExtent(widest);
}
