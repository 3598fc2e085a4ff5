// The calling thread's message queue and the console interrupt.
// Windows: the thread's real message queue (PeekMessageW / GetMessageW /
// DispatchMessageW); a posted command travels as a message to a message-only
// window of the thread, whose window procedure runs it. POSIX: a thread-local
// queue of commands with the same order rules: posted commands run first in
// the order posted, and a pending quit is taken only once none is left.
#pragma once

#include <functional>

enum class QueueStep {
  kEmpty,       // nothing was waiting; nothing was removed
  kDispatched,  // one message was removed and dispatched
  kQuit,        // the quit message was removed
};

// Removes and dispatches the next waiting message of the calling thread.
QueueStep DispatchNextQueuedMessage();

// Queues command for the calling thread; a later dispatch runs it. The
// command must not throw. Dropped when the queue refuses it (Windows: the
// posted-message limit of a thread).
void PostQueuedCommand(std::function<void()> command);

// True while a command the calling thread posted has not run yet. Asks no
// system: work that pumps once per item uses it to know when a pump is due.
bool HasQueuedCommandWaiting();

// Makes the calling thread's queue deliver a quit message (once) after the
// commands already posted.
void PostQueuedQuit();

// Calls onInterrupt from the SIGINT handler (POSIX) or from the console's
// Ctrl-C / Ctrl-Break handler thread (Windows). onInterrupt must be
// async-signal-safe. POSIX installs with SA_RESTART, so interrupted system
// calls resume. Returns false when the handler cannot be installed.
bool InstallPlatformInterruptHandler(void (*onInterrupt)());
