#include "platform/ui/window.h"

CWnd::CWnd() {}

CWnd::CWnd(void* hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {}

void* CWnd::GetSafeHwnd() const { return m_hWnd; }
