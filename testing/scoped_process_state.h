// CScopedProcessState: every piece of process-wide state a test may change,
// saved when the object is made and put back when it goes, so that a
// fixture needs one member instead of a page of set and reset lines:
//
//   the cancel flag g_bCancel, the trash and batch folders g_strTrash and
//   g_strBatch (the batch folder a run held open is closed), the walk's
//   exclusions (ExcludeFromWalks), the log's
//   class-wide state (allowed, failed, path, pending text, open file), the
//   message queue, the interrupt command and the interrupts recorded, the
//   dialog window's message-box hook (Windows), and the clock, file-time
//   clock, monotonic clock and user-name pins.
//
// While it lives, the log starts as in a fresh process (allowed, not failed,
// closed, no path, nothing pending), the cancel flag is clear, the queue is
// empty and no interrupt is recorded. Pins made through it are lifted when
// it goes; the log file a test opened is closed and the saved log state
// returns (its file reopened when it was open). One object at a time; not
// for nesting.
#pragma once

#include <memory>

#include "platform/sys/clock.h"
#include "platform/cstring.h"

class CScopedProcessState {
 public:
  CScopedProcessState();
  ~CScopedProcessState();
  CScopedProcessState(const CScopedProcessState&) = delete;
  CScopedProcessState& operator=(const CScopedProcessState&) = delete;

  void PinClock(const CLocalTime& t);
  void PinInvalidClock();
  // Pins the monotonic clock at ms; pin it again to let time pass.
  void PinMonotonicClock(int64_t ms);
  // Pins the file-time clock (GetFileTimeNow) at t.
  void PinFileTimeNow(const CFileTime& t);
  void PinUserName(const CString& name);

  // Empties the calling thread's message queue, running what waits in it.
  static void DrainQueue();

 private:
  struct CSaved;
  std::unique_ptr<CSaved> m_pSaved;
};
