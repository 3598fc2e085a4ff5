#include "winui/message_pump.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/ui/message_loop.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/message_queue_hooks.h"
#include "testing/scoped_process_state.h"

namespace {

// Leaves the thread's queue empty and no interrupt command behind.
class MessagePump : public ::testing::Test {
 protected:
  CScopedProcessState m_state;
  std::string m_strRan;
};

}  // namespace

TEST_F(MessagePump, QuitComesAfterWaitingCommandsAndIsConsumed) {
  EXPECT_TRUE(PumpMessage());  // an empty queue: no wait, no quit
  PostCommand([this] { m_strRan += "a"; });
  PostQuitCommand();
  PostCommand([this] { m_strRan += "b"; });
  EXPECT_FALSE(PumpMessage());
  EXPECT_EQ(m_strRan, "ab");
  EXPECT_TRUE(PumpMessage());

  // A quit posted by a command ends the same call.
  PostCommand([this] {
    m_strRan += "c";
    PostQuitCommand();
  });
  EXPECT_FALSE(PumpMessage());
  EXPECT_EQ(m_strRan, "abc");
  EXPECT_TRUE(PumpMessage());
}

TEST_F(MessagePump, CommandsRunInOrderIncludingThosePostedOrPumpedByCommands) {
  PostCommand([this] { m_strRan += "1"; });
  PostCommand([this] {
    m_strRan += "2";
    PostCommand([this] {
      m_strRan += "4";
      PostCommand([this] { m_strRan += "5"; });
    });
  });
  PostCommand([this] { m_strRan += "3"; });
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "12345");
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "12345");

  // A command may pump the queue itself: the re-entered pump runs what is
  // left; the outer call then finds nothing.
  m_strRan.clear();
  PostCommand([this] {
    m_strRan += "a";
    EXPECT_TRUE(PumpMessage());
    m_strRan += "/a";
  });
  PostCommand([this] { m_strRan += "b"; });
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "ab/a");
}

TEST_F(MessagePump, EachThreadPumpsOnlyItsOwnCommands) {
  std::string other;
  std::thread worker([&] {
    PostCommand([&] { other += "w"; });
    EXPECT_TRUE(PumpMessage());
    PostCommand([&] { other += "never"; });  // left waiting at thread exit
  });
  worker.join();
  EXPECT_EQ(other, "w");
  PostCommand([this] { m_strRan += "m"; });
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "m");
  EXPECT_EQ(other, "w");
}

TEST_F(MessagePump, InterruptPostsTheInterruptCommandOnceOrIsDroppedWithoutOne) {
  ASSERT_TRUE(InstallInterruptHandler());
  SetInterruptCommand([this] { m_strRan += "stop"; });
  PostCommand([this] { m_strRan += "work,"; });

  // The handler only records the interrupt; the command runs in the pump.
  SimulateInterruptForTesting();
  EXPECT_EQ(m_strRan, "");
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "work,stop");
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "work,stop");

  // From another thread, twice before a pump: one command.
  std::thread console([] {
    NotifyInterrupt();
    NotifyInterrupt();
  });
  console.join();
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "work,stopstop");

  // Without a command an interrupt is dropped, not kept for a later one.
  SetInterruptCommand(nullptr);
  SimulateInterruptForTesting();
  EXPECT_TRUE(PumpMessage());
  SetInterruptCommand([this] { m_strRan += "late"; });
  EXPECT_TRUE(PumpMessage());
  EXPECT_EQ(m_strRan, "work,stopstop");
}

TEST_F(MessagePump, AnItemsPumpComesWhenDueOrWhenACommandOrAnInterruptWaits) {
  ASSERT_TRUE(InstallInterruptHandler());
  SetInterruptCommand([this] { m_strRan += "stop,"; });
  const int64_t t = int64_t{1} << 50;  // later than any pump of an earlier test
  m_state.PinMonotonicClock(t);
  EXPECT_TRUE(PumpQueuedMessagesIfDue());
  PostQuitCommand();  // seen only by a pump that comes
  m_state.PinMonotonicClock(t + kPumpIntervalMs - 1);
  EXPECT_TRUE(PumpQueuedMessagesIfDue());
  m_state.PinMonotonicClock(t + kPumpIntervalMs);
  EXPECT_FALSE(PumpQueuedMessagesIfDue());

  // Within the interval a waiting command, then an interrupt, is run at once.
  PostCommand([this] { m_strRan += "a,"; });
  EXPECT_TRUE(PumpQueuedMessagesIfDue());
  NotifyInterrupt();
  EXPECT_TRUE(PumpQueuedMessagesIfDue());
  EXPECT_EQ(m_strRan, "a,stop,");

  PostQuitCommand();  // a clock that went back finds the pump due
  m_state.PinMonotonicClock(t - 1);
  EXPECT_FALSE(PumpQueuedMessagesIfDue());
}
