// Test hooks of the user name (known_folders.cpp). Never exported; tests use
// them through CScopedProcessState, which lifts the pin again.
#pragma once

#include "platform/cstring.h"

// While pinned, CurrentUserName returns name (flattened names in the trash
// folder depend on the user name).
void PinUserNameForTesting(const CString& name);
void UnpinUserNameForTesting();
