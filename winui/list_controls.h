// The three list controls the control helpers act on, each an item list
// with per-item text and pointer-sized item data. Windows: a list-view, a
// combo box (drop-down list) and a list box window, driven by their
// standard messages. POSIX: an in-process model of the same items with
// the same operations, whose text is measured as its number of characters
// times an average character width.
//
// A control object either wraps a window it does not own (the constructor
// with a handle) or owns the one Create made, which DestroyWindow or the
// destructor destroys. Without a window every query answers "nothing":
// no items, no selection, empty text, 0 data, and every change fails.
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/ui/window.h"

// Item state and search flag of a list view (LVIS_SELECTED, LVNI_SELECTED).
const unsigned kListItemSelected = 0x0002;
const int kNextSelected = 0x0002;

// The window and ownership shared by the three controls.
class VELMORA_API CListControl : public CWnd {
 public:
  ~CListControl() override;
  CListControl(const CListControl&) = delete;
  CListControl& operator=(const CListControl&) = delete;

  // Makes a new, empty, hidden control owned by this object (a child of
  // pParent's window when it has one); false when this object already has
  // a window or the system refuses.
  bool Create(CWnd* pParent);
  // Destroys the window Create made; a wrapped window is only let go.
  void DestroyWindow();
  bool IsWindow() const;

 protected:
  enum Kind { kListView, kComboBox, kListBox };
  CListControl(Kind kind, void* hWnd);

 private:
  Kind m_nKind;
  bool m_bOwned = false;
};

class VELMORA_API CListCtrl : public CListControl {
 public:
  explicit CListCtrl(void* hWnd = nullptr);
  ~CListCtrl() override;

  int GetItemCount() const;
  // Inserts an item with text and data 0 at index (at the end when index is
  // past it); its index, or -1.
  int InsertItem(int index, const CString& text);
  bool DeleteItem(int index);
  uintptr_t GetItemData(int index) const;
  bool SetItemData(int index, uintptr_t data);
  // Sets the state bits under mask and leaves the others.
  bool SetItemState(int index, unsigned state, unsigned mask);
  unsigned GetItemState(int index, unsigned mask) const;
  // Column 0 is the item's own text.
  bool SetItemText(int index, int column, const CString& text);
  CString GetItemText(int index, int column) const;
  // The first item after start (from the first item when start is -1) that
  // has the flags (kNextSelected), or -1.
  int GetNextItem(int start, int flags) const;
};

class VELMORA_API CComboBox : public CListControl {
 public:
  explicit CComboBox(void* hWnd = nullptr);
  ~CComboBox() override;

  int GetCount() const;
  // Appends an item with text and data 0; its index, or -1.
  int AddString(const CString& text);
  uintptr_t GetItemData(int index) const;
  bool SetItemData(int index, uintptr_t data);
  // Selects index (-1: nothing); the index, or -1 when nothing is selected.
  int SetCurSel(int index);
  // The selected index, or -1.
  int GetCurSel() const;
};

class VELMORA_API CListBox : public CListControl {
 public:
  explicit CListBox(void* hWnd = nullptr);
  ~CListBox() override;

  int GetCount() const;
  // Appends an item with text and data 0; its index, or -1.
  int AddString(const CString& text);
  // Deletes the item; the number of items left, or -1.
  int DeleteString(int index);
  CString GetText(int index) const;
  uintptr_t GetItemData(int index) const;
  bool SetItemData(int index, uintptr_t data);
  // Selects index (-1: nothing); the index, or -1 when nothing is selected.
  int SetCurSel(int index);
  // The selected index, or -1.
  int GetCurSel() const;
  // Width in pixels by which the box can be scrolled horizontally.
  void SetHorizontalExtent(int width);
  int GetHorizontalExtent() const;
  // The average character width of the box's font, and the width of text
  // in it, in pixels; 0 without a window.
  int GetAverageCharWidth() const;
  int GetTextWidth(const CString& text) const;
};
