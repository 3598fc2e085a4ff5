// Helpers that find the item of a list control by its item data rather than
// by its position: find, select, relabel and remove it, read the data of
// the selected item, and fit a list box's horizontal extent to its widest
// text. Searches run from index 0 upwards and re-read the item count at
// every step, so the first matching item wins. No state is kept.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"
#include "winui/list_controls.h"

// The index of the first item whose data is data; -1 when data is null, the
// list is empty or no item matches.
VELMORA_API int FindItemIndex(const CListCtrl& list, void* data);

// Adds the selected state to the item at index, leaving its other states
// and the other items' selection; the control's success value (1 or 0).
VELMORA_API int SelectItem(CListCtrl& list, int index);

// Selects the item FindItemIndex finds as above and returns its index; -1
// when data is null or no item matches.
VELMORA_API int SelectItem(CListCtrl& list, void* data);

// Sets the text of column 0 of the item FindItemIndex finds; the control's
// success value, 0 when data is null or no item matches.
VELMORA_API int SetItemText(CListCtrl& list, void* data, const CString& text);

// Deletes the item FindItemIndex finds; the control's success value, 0 when
// data is null or no item matches.
VELMORA_API int DeleteItem(CListCtrl& list, void* data);

// Deletes the first item whose data is data, null included; true when one
// was deleted.
VELMORA_API bool Remove(CListCtrl& list, void* data);

// The index of the first selected item; -1 when none is selected or the
// control has no window.
VELMORA_API long GetFirstSelectedItem(CListCtrl& list);

// Makes the first item whose data is data (compared with the whole item
// data) the current selection; false when the box is empty or no item
// matches.
VELMORA_API bool SelectItem(CComboBox& box, unsigned long data);
VELMORA_API bool SelectItem(CListBox& box, unsigned long data);

// Stores the data of the selected item in data (a DWORD on Windows: its low
// 32 bits) and returns true; false, with data untouched, when nothing is
// selected.
VELMORA_API bool GetSelItemData(CComboBox& box, unsigned long& data);
VELMORA_API bool GetSelItemData(CListBox& box, unsigned long& data);

// Deletes the first item whose data is data; true when one was deleted.
VELMORA_API bool Remove(CListBox& box, void* data);

// Sets the box's horizontal extent to its widest item text plus one
// average character width of its font (0 for an empty box), so that the
// last character of the widest item is never clipped. Nothing without a
// window.
VELMORA_API void FixHScroll(CListBox& box);
