// CWnd: the window object the toolkit's helpers take as a parent. It holds
// the OS window handle (a Windows HWND; always null on POSIX, which has no
// windows of ours) and owns nothing.
#pragma once

class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(void* hWnd) : m_hWnd(hWnd) {}
  virtual ~CWnd() = default;

  // The handle of this window; null when it has none.
  void* GetSafeHwnd() const { return m_hWnd; }

  void* m_hWnd = nullptr;
};
