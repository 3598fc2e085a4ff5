// The item record of one move, written so that a record that did not reach
// the log never reaches it later.
#pragma once

#include "platform/cstring.h"
#include "platform/exception.h"

// Writes line as an item record (CLogFile::Log). When the log is ready and
// the record cannot be written, throws CFileException* and leaves the log's
// pending text as it was before the call: the record is dropped, so that a
// later write cannot log a move that was undone meanwhile. While the log is
// not ready the record is queued, as CLogFile::Log queues it.
void WriteItemRecord(const CString& line);

// "The log file 'PATH' could not be written: REASON", REASON being the
// system's text for the error of e (or its code when there is none).
CString FormatLogWriteFailure(const CFileException& e);
