// New globally unique identifiers, in the registry form of the platform:
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", 38 characters, upper case.
#pragma once

#include "platform/cstring.h"

// Windows: CoCreateGuid rendered by StringFromCLSID. POSIX: 16 bytes from
// getrandom with the version 4 and variant bits set. Empty when the
// platform fails.
CString NewGuidText();
