// The controls as in-process models: m_hWnd points to the model Create made.
#include <vector>

#include "winui/list_controls.h"

namespace {

const int kAverageCharWidth = 7;  // pixels per character

struct CListModel {
  struct CItem {
    CString strText;
    uintptr_t nData = 0;
    unsigned nState = 0;
  };
  std::vector<CItem> items;
  int nCurSel = -1;  // combo box and list box
  int nExtent = 0;   // list box
};

CListModel* ModelOf(const CWnd& control) { return static_cast<CListModel*>(control.m_hWnd); }

// The item at index, or null.
CListModel::CItem* ItemOf(const CWnd& control, int index) {
  CListModel* model = ModelOf(control);
  if (model == nullptr || index < 0 || static_cast<size_t>(index) >= model->items.size()) return nullptr;
  return &model->items[static_cast<size_t>(index)];
}

int CountOf(const CWnd& control) {
  const CListModel* model = ModelOf(control);
  return model ? static_cast<int>(model->items.size()) : 0;
}

int Insert(const CWnd& control, int index, const CString& text) {
  CListModel* model = ModelOf(control);
  if (model == nullptr || index < 0) return -1;
  if (static_cast<size_t>(index) > model->items.size()) index = static_cast<int>(model->items.size());
  model->items.insert(model->items.begin() + index, CListModel::CItem{text, 0, 0});
  return index;
}

uintptr_t DataOf(const CWnd& control, int index) {
  const CListModel::CItem* item = ItemOf(control, index);
  return item ? item->nData : 0;
}

bool SetData(const CWnd& control, int index, uintptr_t data) {
  CListModel::CItem* item = ItemOf(control, index);
  if (item == nullptr) return false;
  item->nData = data;
  return true;
}

int SetSelection(const CWnd& control, int index) {
  CListModel* model = ModelOf(control);
  if (model == nullptr) return -1;
  model->nCurSel = ItemOf(control, index) ? index : -1;
  return model->nCurSel;
}

int SelectionOf(const CWnd& control) {
  const CListModel* model = ModelOf(control);
  return model ? model->nCurSel : -1;
}

}  // namespace

bool CListControl::Create(CWnd*) {
  if (m_hWnd != nullptr) return false;
  m_hWnd = new CListModel;
  m_bOwned = true;
  return true;
}

void CListControl::DestroyWindow() {
  if (m_bOwned) delete ModelOf(*this);
  m_hWnd = nullptr;
  m_bOwned = false;
}

bool CListControl::IsWindow() const { return m_hWnd != nullptr; }

int CListCtrl::GetItemCount() const { return CountOf(*this); }

int CListCtrl::InsertItem(int index, const CString& text) { return Insert(*this, index, text); }

bool CListCtrl::DeleteItem(int index) {
  if (ItemOf(*this, index) == nullptr) return false;
  ModelOf(*this)->items.erase(ModelOf(*this)->items.begin() + index);
  return true;
}

uintptr_t CListCtrl::GetItemData(int index) const { return DataOf(*this, index); }

bool CListCtrl::SetItemData(int index, uintptr_t data) { return SetData(*this, index, data); }

bool CListCtrl::SetItemState(int index, unsigned state, unsigned mask) {
  CListModel::CItem* item = ItemOf(*this, index);
  if (item == nullptr) return false;
  item->nState = (item->nState & ~mask) | (state & mask);
  return true;
}

unsigned CListCtrl::GetItemState(int index, unsigned mask) const {
  const CListModel::CItem* item = ItemOf(*this, index);
  return item ? item->nState & mask : 0;
}

bool CListCtrl::SetItemText(int index, int column, const CString& text) {
  CListModel::CItem* item = ItemOf(*this, index);
  if (item == nullptr || column != 0) return false;  // the model has no sub-items
  item->strText = text;
  return true;
}

CString CListCtrl::GetItemText(int index, int column) const {
  const CListModel::CItem* item = ItemOf(*this, index);
  return item && column == 0 ? item->strText : CString();
}

int CListCtrl::GetNextItem(int start, int flags) const {
  for (int i = start < 0 ? 0 : start + 1; i < GetItemCount(); ++i) {
    if ((flags & kNextSelected) == 0 || (GetItemState(i, kListItemSelected) & kListItemSelected) != 0) return i;
  }
  return -1;
}

int CComboBox::GetCount() const { return CountOf(*this); }

int CComboBox::AddString(const CString& text) { return Insert(*this, GetCount(), text); }

uintptr_t CComboBox::GetItemData(int index) const { return DataOf(*this, index); }

bool CComboBox::SetItemData(int index, uintptr_t data) { return SetData(*this, index, data); }

int CComboBox::SetCurSel(int index) { return SetSelection(*this, index); }

int CComboBox::GetCurSel() const { return SelectionOf(*this); }

int CListBox::GetCount() const { return CountOf(*this); }

int CListBox::AddString(const CString& text) { return Insert(*this, GetCount(), text); }

int CListBox::DeleteString(int index) {
  if (ItemOf(*this, index) == nullptr) return -1;
  CListModel* model = ModelOf(*this);
  model->items.erase(model->items.begin() + index);
  // The selected item stays selected; a deleted one leaves no selection.
  if (model->nCurSel == index) model->nCurSel = -1;
  else if (model->nCurSel > index) --model->nCurSel;
  return static_cast<int>(model->items.size());
}

CString CListBox::GetText(int index) const {
  const CListModel::CItem* item = ItemOf(*this, index);
  return item ? item->strText : CString();
}

uintptr_t CListBox::GetItemData(int index) const { return DataOf(*this, index); }

bool CListBox::SetItemData(int index, uintptr_t data) { return SetData(*this, index, data); }

int CListBox::SetCurSel(int index) { return SetSelection(*this, index); }

int CListBox::GetCurSel() const { return SelectionOf(*this); }

void CListBox::SetHorizontalExtent(int width) {
  if (CListModel* model = ModelOf(*this)) model->nExtent = width < 0 ? 0 : width;
}

int CListBox::GetHorizontalExtent() const {
  const CListModel* model = ModelOf(*this);
  return model ? model->nExtent : 0;
}

int CListBox::GetAverageCharWidth() const { return IsWindow() ? kAverageCharWidth : 0; }

int CListBox::GetTextWidth(const CString& text) const {
  return IsWindow() ? static_cast<int>(text.size()) * kAverageCharWidth : 0;
}
