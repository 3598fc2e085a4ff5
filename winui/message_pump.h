// The message pump of the user-interface thread and its posting side. Long
// work on that thread calls PumpMessage between units of work so that
// waiting messages (on POSIX: posted commands) are handled, Stop included.
#pragma once

#include <functional>

#include "platform/api.h"
#include "platform/ui/message_loop.h"

// Dispatches every message waiting in the calling thread's queue and returns
// true once none is left, without blocking. Returns false at once when it
// takes the quit message; the quit message is consumed. An interrupt seen
// since the last call is first posted as the interrupt command. Keyboard
// messages are not translated. May re-enter any window procedure (or posted
// command) of the thread, including its caller.
VELMORA_API bool PumpMessage();

// Queues command for the calling thread; the next PumpMessage runs it.
// Commands run in the order posted; a command posted by a running command
// runs in the same PumpMessage call. A command must not throw.
VELMORA_API void PostCommand(std::function<void()> command);

// Makes the calling thread's next PumpMessage return false, once, after the
// commands already waiting have run.
VELMORA_API void PostQuitCommand();

// The command an interrupt (SIGINT, Ctrl-C) posts; an empty command makes
// interrupts do nothing. Process-wide; the thread that pumps next runs it.
VELMORA_API void SetInterruptCommand(std::function<void()> command);

// Installs the SIGINT handler (POSIX) or the console Ctrl-C / Ctrl-Break
// handler (Windows), which records the interrupt for PumpMessage. Returns
// false when the handler cannot be installed.
VELMORA_API bool InstallInterruptHandler();

// Records an interrupt as the installed handler does. Async-signal-safe and
// callable from any thread.
VELMORA_API void NotifyInterrupt();

// IsInterruptRecorded (platform/ui/message_loop.h) tells whether one has
// been recorded.
