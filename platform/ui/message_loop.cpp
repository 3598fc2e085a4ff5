#include "platform/ui/message_loop.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "platform/sys/clock.h"
#include "platform/ui/message_loop_hooks.h"
#include "platform/ui/message_queue.h"

namespace {

// Set from a signal handler or the console's handler thread: lock-free only.
std::atomic<bool> g_bInterruptPending{false};  // until the next pump
std::atomic<bool> g_bInterruptRecorded{false};  // for good
static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt flag must be signal-safe");

std::mutex g_interruptMutex;
std::function<void()> g_interruptCommand;

void PostPendingInterrupt() {
  if (!g_bInterruptPending.exchange(false)) return;
  std::function<void()> command;
  {
    std::lock_guard<std::mutex> lock(g_interruptMutex);
    command = g_interruptCommand;
  }
  if (command) PostQueuedCommand(std::move(command));
}

}  // namespace

bool PumpQueuedMessages() {
  for (;;) {
    PostPendingInterrupt();
    switch (DispatchNextQueuedMessage()) {
      case QueueStep::kEmpty: return true;
      case QueueStep::kQuit: return false;
      case QueueStep::kDispatched: break;
    }
  }
}

bool PumpQueuedMessagesIfDue() {
  thread_local CRateLimit t_pumps(kPumpIntervalMs);
  const bool due = t_pumps.Pass();
  if (!due && !HasQueuedCommandWaiting() && !g_bInterruptPending.load()) return true;
  return PumpQueuedMessages();
}

void SetQueuedInterruptCommand(std::function<void()> command) {
  std::lock_guard<std::mutex> lock(g_interruptMutex);
  g_interruptCommand = std::move(command);
}

bool InstallQueuedInterruptHandler() { return InstallPlatformInterruptHandler(RecordInterrupt); }

void RecordInterrupt() {
  g_bInterruptRecorded.store(true);
  g_bInterruptPending.store(true);
}

bool IsInterruptRecorded() { return g_bInterruptRecorded.load(); }

void ForgetInterruptForTesting() {
  g_bInterruptRecorded.store(false);
  g_bInterruptPending.store(false);
}
