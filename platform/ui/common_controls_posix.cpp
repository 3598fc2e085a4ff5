#include "platform/ui/common_controls.h"

bool InitCommonControlClasses(unsigned) { return true; }
