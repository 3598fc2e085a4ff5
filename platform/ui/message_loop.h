// One step of the user-interface thread's message loop, and the process's
// record of interrupts. The toolkit's message pump (winui/message_pump.h)
// is this under its exported names; the engine, which has no UI, pumps and
// honours interrupts through it directly.
#pragma once

#include <cstdint>
#include <functional>

// Dispatches every message waiting in the calling thread's queue and returns
// true once none is left, without blocking. Returns false at once when it
// takes the quit message; the quit message is consumed. An interrupt seen
// since the last call is first posted as the interrupt command. May re-enter
// any window procedure (or posted command) of the thread, including its
// caller.
bool PumpQueuedMessages();

// PumpQueuedMessages for work that calls it once per item: pumps when a
// command of the thread or an interrupt waits, or when the last pump of the
// thread lies kPumpIntervalMs of the monotonic clock back; otherwise returns
// true at once. Under Wine every pump is a round trip to the Wine server and
// the display, which costs more than the item itself; a window still answers
// within the interval.
bool PumpQueuedMessagesIfDue();
constexpr int64_t kPumpIntervalMs = 20;

// The command an interrupt posts; an empty command makes interrupts do
// nothing. Process-wide; the thread that pumps next runs it.
void SetQueuedInterruptCommand(std::function<void()> command);

// Installs the platform's interrupt handler, which records interrupts here.
// Returns false when the handler cannot be installed.
bool InstallQueuedInterruptHandler();

// Records an interrupt. Async-signal-safe and callable from any thread.
void RecordInterrupt();

// True once an interrupt has been recorded in this process; it stays true.
// Unlike the interrupt command it needs no pump, so work that never pumps
// (the count pass of a walk) can honour it. Only a program that installs the
// handler receives interrupts: the dialog never does. Async-signal-safe.
bool IsInterruptRecorded();
