// Test hook of the interrupt record (message_loop.cpp). Never exported; tests
// use it through CScopedProcessState.
#pragma once

// Forgets every interrupt recorded so far (IsInterruptRecorded is false
// again, and none waits for the next pump).
void ForgetInterruptForTesting();
