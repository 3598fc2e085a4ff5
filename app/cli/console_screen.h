// The console side every command of the command line shares: the output
// and error streams with the progress bar, error lines, the confirmation
// question, Ctrl-C, and the checks that turn into exit codes.
#pragma once

#include <cstdint>

#include "platform/sys/clock.h"
#include "platform/sys/console.h"
#include "platform/cstring.h"

// The program's exit codes.
enum ConsoleExitCode : int {
  kExitMoved = 0,      // every match moved, or none found (restore: the whole
                       // batch went back; purge: every batch folder went)
  kExitErrors = 1,     // some items could not be moved (or fewer moved than
                       // were counted), the run failed, its log could not be
                       // opened or its output not written
  kExitRefused = 2,    // invalid input, or the question was not answered Yes
  kExitCancelled = 3,  // Ctrl-C came before the run or dry run ended
};

// The two output streams of a run: the log pane's lines on the output
// stream and, only when the error stream is a terminal, a progress bar on
// the last line of it. The bar is taken away before any line is written and
// drawn again after it, so lines never mix with it. While it shows, lines
// for the output stream wait and go out with its next redraw, so that it is
// redrawn at most once per 50 ms however fast the lines come; the end of the
// progress and a line for the error stream take them out at once. A write
// that fails (a closed pipe) is remembered, and the run goes on.
class CConsoleScreen {
 public:
  CConsoleScreen();
  ~CConsoleScreen();  // EndProgress
  CConsoleScreen(const CConsoleScreen&) = delete;
  CConsoleScreen& operator=(const CConsoleScreen&) = delete;

  void StartProgress(int32_t range);
  void Step();
  void EndProgress();
  void Print(ConsoleStream stream, const CString& text);
  // True once a write to either stream has failed.
  bool WriteFailed() const { return m_bWriteFailed; }

 private:
  void Draw();
  void Erase();
  void Write(ConsoleStream stream, const CString& text);
  void WriteWaiting();

  const bool m_bTerminal;
  int32_t m_nRange = 0;
  int32_t m_nPos = 0;
  CString m_strBar;      // what is drawn now; empty when nothing is
  CString m_strWaiting;  // output lines that wait for the next redraw
  CRateLimit m_redraw;
  bool m_bWriteFailed = false;
};

// An error box on the console: one line "caption: text" on the error stream.
void ShowError(CConsoleScreen& screen, const CString& caption, const CString& text);

// The console side of a front end's view (a run's or an undo job's): lines
// on the output stream, error boxes on the error stream, one progress step
// per item line.
template <class View>
class CConsoleView : public View {
 public:
  explicit CConsoleView(CConsoleScreen& screen) : m_screen(screen) {}

  void AddLine(const CString& line) override { m_screen.Print(ConsoleStream::kOutput, line + L"\n"); }
  void ErrorBox(const CString& text) override { ShowError(m_screen, L"Error", text); }
  void SetProgressRange(int32_t count) override { m_screen.StartProgress(count); }
  void OnStatus(const CString& line) override {
    m_screen.Step();
    AddLine(line);
  }
  void OnEnd() override { m_screen.EndProgress(); }

 protected:
  CConsoleScreen& m_screen;
};

// The confirmation question: answered Yes by yes (--yes), asked with a y/N
// prompt on a terminal, refused without one (saying that nothing was done,
// in the words of nothingDone). Ctrl-C at the prompt answers No.
bool Confirm(CConsoleScreen& screen, bool yes, const CString& question,
             const CString& nothingDone = L"nothing was moved");

// Ctrl-C from here on is recorded, and the work ends at its next item;
// before, it ends the program, which has changed nothing.
void StopOnInterrupt();

// The cancel text on the output stream (and, for a run, in its error box):
// a dry run or run that Ctrl-C ended, or one that ended before the walk
// could see it, since Ctrl-C is never reported as success.
int ReportCancel(CConsoleScreen& screen, bool errorBox);

// A run that went well but could not write all of its output fails.
int WithOutputChecked(const CConsoleScreen& screen, int exitCode);

// False, after saying why, when the log takes no records: a move that is
// not logged cannot be traced or restored, so nothing may move (or be
// deleted: nothingDone says which).
bool CheckLog(CConsoleScreen& screen, const CString& nothingDone = L"nothing was moved");
