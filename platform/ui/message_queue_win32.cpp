#include "platform/ui/message_queue.h"

#include "platform/ui/message_queue_hooks.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>

namespace {

const UINT kRunCommand = WM_APP + 1;  // lParam: heap std::function<void()>*
const wchar_t kWindowClass[] = L"VelmoraCommandWindow";

using Command = std::function<void()>;

thread_local int t_nCommandsWaiting = 0;  // posted by this thread, not yet run

LRESULT CALLBACK CommandWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunCommand) {
    std::unique_ptr<Command> command(reinterpret_cast<Command*>(lParam));
    --t_nCommandsWaiting;
    if (command && *command) (*command)();
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The calling thread's message-only window that runs posted commands.
// Destroyed at thread exit, together with the commands still waiting for it.
class CCommandWindow {
 public:
  ~CCommandWindow() {
    if (m_hwnd == nullptr) return;
    MSG msg;
    while (::PeekMessageW(&msg, m_hwnd, kRunCommand, kRunCommand, PM_REMOVE))
      delete reinterpret_cast<Command*>(msg.lParam);
    ::DestroyWindow(m_hwnd);
  }
  HWND Get() {
    if (m_hwnd == nullptr) {
      static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CommandWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        return ::RegisterClassW(&wc);
      }();
      if (atom == 0) return nullptr;
      m_hwnd = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }
    return m_hwnd;
  }

 private:
  HWND m_hwnd = nullptr;
};

thread_local CCommandWindow t_window;

std::atomic<void (*)()> g_onInterrupt{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  if (void (*callback)() = g_onInterrupt.load()) callback();
  return TRUE;
}

}  // namespace

QueueStep DispatchNextQueuedMessage() {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return QueueStep::kEmpty;
  const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) return QueueStep::kQuit;
  if (got == -1) return QueueStep::kEmpty;  // no message was filled in
  ::DispatchMessageW(&msg);
  return QueueStep::kDispatched;
}

void PostQueuedCommand(Command command) {
  const HWND hwnd = t_window.Get();
  if (hwnd == nullptr) return;
  auto* posted = new Command(std::move(command));
  if (::PostMessageW(hwnd, kRunCommand, 0, reinterpret_cast<LPARAM>(posted)))
    ++t_nCommandsWaiting;
  else
    delete posted;
}

bool HasQueuedCommandWaiting() { return t_nCommandsWaiting > 0; }

void PostQueuedQuit() { ::PostQuitMessage(0); }

bool InstallPlatformInterruptHandler(void (*onInterrupt)()) {
  g_onInterrupt.store(onInterrupt);
  return ::SetConsoleCtrlHandler(OnConsoleControl, TRUE) != FALSE;
}

void SimulateInterruptForTesting() {
  std::thread console([] { OnConsoleControl(CTRL_C_EVENT); });
  console.join();
}
