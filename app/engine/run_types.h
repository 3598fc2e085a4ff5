// The types every part of a run shares: the cancel flag, the exception that
// ends a run early, and the two small interfaces through which a run talks
// to whoever started it (the dialog, the command line).
#pragma once

#include <cstdint>

#include "platform/cstring.h"

// The cancel flag. Stop sets it (on the user-interface thread, in a command
// dispatched by PumpMessage between two moves); WalkFolder clears it on entry
// and throws at the top of its loop when it finds it set.
extern bool g_bCancel;

// The text of the exception a cancelled walk throws (with its trailing blank).
constexpr const wchar_t kCancelText[] = L"ERROR: Canceled by user request ";

// Ends a run early: thrown as a heap pointer (throw new CActException(...)),
// deleted by the handler that catches it.
class CActException {
 public:
  explicit CActException(const CString& error) : m_strError(error) {}
  CString m_strError;  // the message shown to the user
};

// The start and the end of a run, as CRunner reports them.
class CWorker {
 public:
  virtual void OnBegin() {}
  virtual void OnEnd() {}

 protected:
  ~CWorker() = default;
};

// One report line per moved (or failed) item.
class CProgressStatus {
 public:
  // Nothing sends it; kept for implementers of the interface.
  virtual void OnProgress(int32_t, int32_t, int32_t) {}
  virtual void OnStatus(const CString& /*line*/) {}

 protected:
  ~CProgressStatus() = default;
};

// Scope guard: OnBegin() on construction and OnEnd() on destruction, also
// while an exception unwinds. Owns nothing; a null worker is allowed.
class CRunner {
 public:
  explicit CRunner(CWorker* worker);
  virtual ~CRunner();
  CRunner(const CRunner&) = delete;
  CRunner& operator=(const CRunner&) = delete;

 private:
  CWorker* m_pWorker;
};
