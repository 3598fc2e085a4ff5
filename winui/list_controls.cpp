#include "winui/list_controls.h"

CListControl::CListControl(Kind kind, void* hWnd) : CWnd(hWnd), m_nKind(kind) {}

CListControl::~CListControl() { DestroyWindow(); }

CListCtrl::CListCtrl(void* hWnd) : CListControl(kListView, hWnd) {}

CListCtrl::~CListCtrl() = default;

CComboBox::CComboBox(void* hWnd) : CListControl(kComboBox, hWnd) {}

CComboBox::~CComboBox() = default;

CListBox::CListBox(void* hWnd) : CListControl(kListBox, hWnd) {}

CListBox::~CListBox() = default;
