// The existence tests of a path text. Unlike CFilePath's, they hand the text
// to the status query exactly as given: no white space is trimmed and no
// trailing separator dropped, and an empty text is simply one the query
// fails for.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"

// The status query succeeds for p and says it is a folder.
VELMORA_API bool IsExistsDirectory(CString p);
// The status query succeeds for p and says it is neither a folder nor a
// volume label.
VELMORA_API bool IsExistsFile(CString p);
