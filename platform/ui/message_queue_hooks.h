// Test hook of the message queue's interrupt handler (message_queue_*.cpp).
// Never exported.
#pragma once

// Delivers an interrupt through the installed handler exactly as the OS does:
// POSIX raise(SIGINT); Windows calls the console handler on another thread
// and waits for it. REQUIRES: an installed handler.
void SimulateInterruptForTesting();
