#include "platform/common_controls.h"

bool InitCommonControlClasses(unsigned) { return true; }
