#include "app/cli/console_screen.h"

#include "app/engine/run_types.h"
#include "app/engine/shown_path.h"
#include "log/log_file.h"
#include "platform/fs/file.h"
#include "text/format.h"
#include "winui/message_pump.h"

namespace {

const int kBarWidth = 30;
const int64_t kRedrawIntervalMs = 50;  // the bar is redrawn at most 20 times a second

}  // namespace

CConsoleScreen::CConsoleScreen() : m_bTerminal(IsConsoleTerminal(ConsoleStream::kError)), m_redraw(kRedrawIntervalMs) {}

CConsoleScreen::~CConsoleScreen() { EndProgress(); }

void CConsoleScreen::StartProgress(int32_t range) {
  m_nRange = range;
  m_nPos = 0;
  m_redraw.Pass();
  Draw();
}

void CConsoleScreen::Step() {
  if (m_nPos < m_nRange) ++m_nPos;
}

void CConsoleScreen::EndProgress() {
  Erase();
  WriteWaiting();
  m_nRange = 0;
}

void CConsoleScreen::Print(ConsoleStream stream, const CString& text) {
  if (m_strBar.empty()) {
    Write(stream, text);
    return;
  }
  if (stream == ConsoleStream::kOutput) {
    m_strWaiting += text;
    if (!m_redraw.Pass()) return;
  }
  Erase();
  WriteWaiting();
  if (stream == ConsoleStream::kError) Write(stream, text);
  Draw();
}

void CConsoleScreen::Draw() {
  if (!m_bTerminal || m_nRange <= 0) return;
  const int filled = static_cast<int>(static_cast<int64_t>(kBarWidth) * m_nPos / m_nRange);
  m_strBar = L"[" + CString(filled, L'#') + CString(kBarWidth - filled, L' ') + L"] " +
             Format(L"%d/%d", m_nPos, m_nRange);
  Write(ConsoleStream::kError, L"\r" + m_strBar);
}

void CConsoleScreen::Erase() {
  if (m_strBar.empty()) return;
  Write(ConsoleStream::kError, L"\r" + CString(m_strBar.size(), L' ') + L"\r");
  m_strBar.clear();
}

void CConsoleScreen::Write(ConsoleStream stream, const CString& text) {
  if (!WriteConsoleText(stream, text)) m_bWriteFailed = true;
}

void CConsoleScreen::WriteWaiting() {
  if (m_strWaiting.empty()) return;
  Write(ConsoleStream::kOutput, m_strWaiting);
  m_strWaiting.clear();
}

void ShowError(CConsoleScreen& screen, const CString& caption, const CString& text) {
  screen.Print(ConsoleStream::kError, caption + L": " + text + L"\n");
}

bool Confirm(CConsoleScreen& screen, bool yes, const CString& question, const CString& nothingDone) {
  if (yes) return true;
  if (!IsConsoleTerminal(ConsoleStream::kInput)) {
    screen.Print(ConsoleStream::kError,
                 L"velmora: no terminal to answer the question; " + nothingDone + L" (--yes answers it)\n");
    return false;
  }
  screen.Print(ConsoleStream::kError, L"Confirmation:\n" + question + L" [y/N] ");
  CString answer;
  const ConsoleRead read = ReadConsoleLine(answer);
  if (read != ConsoleRead::kLine) {
    screen.Print(ConsoleStream::kError, L"\n");
    return false;
  }
  MakeLower(TrimString(answer));
  return answer == L"y" || answer == L"yes";
}

void StopOnInterrupt() { InstallInterruptHandler(); }

int ReportCancel(CConsoleScreen& screen, bool errorBox) {
  screen.Print(ConsoleStream::kOutput, CString(kCancelText) + L"\n");
  if (errorBox) ShowError(screen, L"Error", kCancelText);
  return kExitCancelled;
}

int WithOutputChecked(const CConsoleScreen& screen, int exitCode) {
  return screen.WriteFailed() && exitCode == kExitMoved ? kExitErrors : exitCode;
}

bool CheckLog(CConsoleScreen& screen, const CString& nothingDone) {
  CLogFile log;
  if (log.IsReady()) return true;
  const CString why = log.GetOpenError() != 0 ? FileOpenErrorText(log.GetOpenError()) : CString();
  screen.Print(ConsoleStream::kError,
               L"velmora: the log file '" + ShownPath(log.GetFilePathName()) +
                   L"' cannot be opened (another running instance may hold it, or it cannot be written)" +
                   (why.empty() ? CString() : L": " + why) + L"; " + nothingDone + L"\n");
  return false;
}
