// CWnd: the window object the toolkit's helpers take as a parent. It holds
// the OS window handle (a Windows HWND; always null on POSIX, which has no
// windows of ours) and owns nothing.
#pragma once

#include "platform/api.h"

class VELMORA_API CWnd {
 public:
  CWnd();
  explicit CWnd(void* hWnd);
  virtual ~CWnd();

  // The handle of this window; null when it has none.
  void* GetSafeHwnd() const;

  void* m_hWnd = nullptr;
};
