#include "platform/ui/message_queue.h"

#include "platform/ui/message_queue_hooks.h"

#include <signal.h>

#include <atomic>
#include <deque>
#include <utility>

namespace {

thread_local std::deque<std::function<void()>> t_commands;
thread_local bool t_bQuitPending = false;

std::atomic<void (*)()> g_onInterrupt{nullptr};

extern "C" void OnSigInt(int) {
  if (void (*callback)() = g_onInterrupt.load()) callback();
}

}  // namespace

QueueStep DispatchNextQueuedMessage() {
  if (t_commands.empty()) {
    if (!t_bQuitPending) return QueueStep::kEmpty;
    t_bQuitPending = false;
    return QueueStep::kQuit;
  }
  // Taken off before it runs: the command may post more or pump again.
  std::function<void()> command = std::move(t_commands.front());
  t_commands.pop_front();
  if (command) command();
  return QueueStep::kDispatched;
}

void PostQueuedCommand(std::function<void()> command) { t_commands.push_back(std::move(command)); }

bool HasQueuedCommandWaiting() { return !t_commands.empty(); }

void PostQueuedQuit() { t_bQuitPending = true; }

bool InstallPlatformInterruptHandler(void (*onInterrupt)()) {
  g_onInterrupt.store(onInterrupt);
  struct sigaction action {};
  action.sa_handler = OnSigInt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGINT, &action, nullptr) == 0;
}

void SimulateInterruptForTesting() { ::raise(SIGINT); }
