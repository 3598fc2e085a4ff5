#include "winui/message_pump.h"

#include <utility>

#include "platform/ui/message_loop.h"
#include "platform/ui/message_queue.h"

bool PumpMessage() { return PumpQueuedMessages(); }

void PostCommand(std::function<void()> command) { PostQueuedCommand(std::move(command)); }

void PostQuitCommand() { PostQueuedQuit(); }

void SetInterruptCommand(std::function<void()> command) { SetQueuedInterruptCommand(std::move(command)); }

bool InstallInterruptHandler() { return InstallQueuedInterruptHandler(); }

void NotifyInterrupt() { RecordInterrupt(); }
