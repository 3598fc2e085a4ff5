// The container instantiations the toolkit exports. Each is declared with
// VELMORA_API (extern template) beside its element class's list, so that
// every other file links to these instead of making its own.
#include "object/ftp_cache.h"
#include "object/ftp_path_list.h"
#include "object/std_list.h"
#include "path/file_path.h"

template class CStdList<CFilePath, CFilePath*>;
template class CStdList<CFtpPath, CFtpPath*>;
template class CStdMap<CString, CFtpPathList*>;
