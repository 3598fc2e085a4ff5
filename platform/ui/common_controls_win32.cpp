#include "platform/ui/common_controls.h"

#include <windows.h>
#include <commctrl.h>

bool InitCommonControlClasses(unsigned classes) {
  INITCOMMONCONTROLSEX init;
  init.dwSize = sizeof(init);
  init.dwICC = classes;
  return ::InitCommonControlsEx(&init) != FALSE;
}
