// The toolkit that the Velmora executables carry and export: include this one
// header to use all of it.
#pragma once

#include "log/log_file.h"
#include "log/os_version.h"
#include "object/ftp_cache.h"
#include "object/ftp_path.h"
#include "object/ftp_path_list.h"
#include "object/obj.h"
#include "object/std_list.h"
#include "object/std_map.h"
#include "path/file_path.h"
#include "path/file_rec_find.h"
#include "path/path_exists.h"
#include "text/string_tokenizer.h"
#include "text/tokens.h"
#include "winui/folder_dialog.h"
#include "winui/message_pump.h"
#include "winui/notepad_viewer.h"
#include "winui/system_folders.h"
