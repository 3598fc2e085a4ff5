// CLogFile: the process-wide event log. Every object is a handle onto one
// shared, append-only log file; all state is class-wide, so any code may make
// a CLogFile on the stack, write a record and let it go.
//
// A record is one line "%-10s : %s  %-50s%s" of tag, time stamp, text and
// CR LF, written in the 8-bit file encoding (path bytes that are not valid
// UTF-8 as the original bytes) and flushed to the disk at once while the log
// is ready (allowed, not failed, open). A write is on disk whole or not at
// all: a failed one is cut back to where the file ended. `End`, `Log` and the
// plain writes queue their text while the log is not ready; `StartApp`,
// `ExitApp`, `OS` and `Begin` then do nothing at all. The pending text is
// capped at about a megabyte: later text is dropped, with one record saying
// so, until the pending text has been written.
#pragma once

#include "platform/api.h"
#include "platform/cstring.h"
#include "platform/fs/file.h"

class VELMORA_API CLogFile {
 public:
  CLogFile();
  // Opens path (see Open) and drops the result.
  explicit CLogFile(CString path);
  // Objects hold nothing: copying copies nothing.
  CLogFile(const CLogFile&);
  CLogFile& operator=(const CLogFile&);
  // Leaves the log as it is: neither flushes nor closes.
  virtual ~CLogFile();

  // Opens the log file, or keeps the open one when path is empty or equals
  // the current path exactly. An empty path while closed opens
  // <current directory><separator><program name>.log. Returns false, without
  // touching anything, while the log is disallowed or a previous Open failed
  // (until Close); a failure to open sets the fail flag, and so does a path
  // that is not a regular file (a folder, a device, a FIFO), a link, or (on
  // POSIX) a file of another user or one that others may write. The file is
  // created when missing, never truncated, held exclusively and appended to;
  // when its last line has no line end, CR LF is written first.
  bool Open(CString path);
  // Writes the pending text if ready, closes the file, clears the fail flag.
  // The path stays, so Resume reopens the same file.
  void Close();
  void Suspend();  // Close
  bool Resume();   // Open of the current path
  bool IsOpen() const;
  bool IsReady() const;
  const CString GetFilePathName() const;
  // The OS error that kept the last Open from opening the file; 0 when it
  // opened, or when no open was tried.
  long GetOpenError() const;

  // Allows logging only when one of the words of list (split at '-', '/'
  // and blanks) equals name, in any letter case.
  void Enable(CString list, CString name);

  // Appends to the pending text; never writes.
  void Add(CString text);
  // Appends text to the pending text and, if ready, writes and flushes all of
  // it. Throws CFileException* when the write or the disk flush fails. After
  // a failed write the file is as it was and the pending text is kept; after
  // a failed flush the text is in the file and no longer pending.
  void Flush(CString text);
  void Write(CString text);  // Flush
  // Composes one record (with the current time stamp when withTime) and
  // passes it to Write.
  void Write(CString tag, CString text, bool withTime);

  void StartApp(CString text);  // only when ready; then OS()
  void ExitApp(CString text);   // only when ready; then an empty line
  void OS();                    // only when ready
  void Begin(CString text);     // job start; only when ready
  void End(CString text);       // job end; always queued
  void Log(CString text);       // one item; always queued
  CLogFile& operator<<(CString text);

  // The stamp a record composed now carries: the local time as
  // '12/05/2026 02:34:50', or the invalid-date text.
  static CString GetTimeStamp();

 protected:
  // The log a program opens by default: folder, the separator and the base
  // name of programPath, trimmed of blanks, with its extension made ".log".
  static CString DefaultPathFor(CString programPath, CString folder);

  static bool m_bAllowed;
  static bool m_bFail;
  static CFile m_file;
  static CString m_strFilePathName;
  static CString m_strLogText;
};
