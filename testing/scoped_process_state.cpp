#include "testing/scoped_process_state.h"

#include "app/engine/run_types.h"
#include "app/engine/trash_folder.h"
#include "app/engine/walk.h"
#include "log/log_file.h"
#include "platform/sys/clock_hooks.h"
#include "platform/sys/user_name_hooks.h"
#include "platform/ui/message_loop_hooks.h"
#include "winui/message_pump.h"
#ifdef _WIN32
#include "app/dialog/dialog_window_win32.h"
#endif

namespace {

// Reaches the log's class-wide state.
struct CLogState : CLogFile {
  bool bAllowed = m_bAllowed;
  bool bFail = m_bFail;
  bool bOpen = m_file.IsOpen();
  CString strPath = m_strFilePathName;
  CString strPending = m_strLogText;

  // Closes the file without writing what is pending.
  static void Reset() {
    m_file.Close();
    m_bAllowed = true;
    m_bFail = false;
    m_strFilePathName.clear();
    m_strLogText.clear();
  }
  void Restore() const {
    Reset();
    m_bAllowed = bAllowed;
    m_bFail = bFail;
    m_strFilePathName = strPath;
    m_strLogText = strPending;
    if (bOpen && m_file.Open(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite))
      m_file.SeekToEnd();
  }
};

}  // namespace

struct CScopedProcessState::CSaved {
  bool bCancel = g_bCancel;
  CString strTrash = g_strTrash;
  CString strBatch = g_strBatch;
  CStringArray walkExclusions = GetWalkExclusions();
  CLogState log;
#ifdef _WIN32
  DialogMessageBoxFunction pfnMessageBox = g_pfnDialogMessageBox;
#endif
};

CScopedProcessState::CScopedProcessState() : m_pSaved(new CSaved) {
  DrainQueue();
  SetInterruptCommand(nullptr);
  ForgetInterruptForTesting();
  CLogState::Reset();
  g_bCancel = false;
}

CScopedProcessState::~CScopedProcessState() {
  DrainQueue();
  SetInterruptCommand(nullptr);
  ForgetInterruptForTesting();
  UnpinClockForTesting();
  UnpinMonotonicClockForTesting();
  UnpinFileTimeNowForTesting();
  UnpinUserNameForTesting();
  m_pSaved->log.Restore();
  g_bCancel = m_pSaved->bCancel;
  g_strTrash = m_pSaved->strTrash;
  g_strBatch = m_pSaved->strBatch;
  SetWalkExclusions(m_pSaved->walkExclusions);
  CloseBatchFolder();
#ifdef _WIN32
  g_pfnDialogMessageBox = m_pSaved->pfnMessageBox;
#endif
}

void CScopedProcessState::PinClock(const CLocalTime& t) { PinClockForTesting(t); }

void CScopedProcessState::PinInvalidClock() { PinInvalidClockForTesting(); }

void CScopedProcessState::PinMonotonicClock(int64_t ms) { PinMonotonicClockForTesting(ms); }

void CScopedProcessState::PinFileTimeNow(const CFileTime& t) { PinFileTimeNowForTesting(t); }

void CScopedProcessState::PinUserName(const CString& name) { PinUserNameForTesting(name); }

void CScopedProcessState::DrainQueue() {
  while (!PumpMessage()) {
  }
}
