// Handing calls to the GUI thread, and worker threads that end cleanly.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "GifDrawKit.h"
#include "gui/Synchronize.h"
#include "gui/Thread.h"

using namespace std::chrono_literals;

namespace {

// A thread that runs a function.
class TCallThread : public TThread {
 public:
  explicit TCallThread(std::function<void(TCallThread&)> body) : body_(std::move(body)) {}
  ~TCallThread() override {
    if (destroyed) *destroyed = true;
  }
  using TThread::Synchronize;
  bool* destroyed = nullptr;

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(TCallThread&)> body_;
};

class SynchronizeTest : public ::testing::Test {
 protected:
  void SetUp() override { InitSynchronize(); }
};

TEST_F(SynchronizeTest, CallsRunOnTheGuiThreadWhileTheWorkerWaits) {
  ASSERT_TRUE(IsGuiThread());
  const DWORD gui = GetCurrentThreadId();
  DWORD ranOn = 0;
  bool returned = false;
  TCallThread worker([&](TCallThread& self) { returned = self.Synchronize([&] { ranOn = GetCurrentThreadId(); }); });
  worker.Start();
  worker.WaitFor();  // serves the call while it waits
  EXPECT_TRUE(returned);
  EXPECT_EQ(ranOn, gui);
  // On the GUI thread itself, the call runs at once.
  int direct = 0;
  EXPECT_TRUE(Synchronize([&] { ++direct; }));
  EXPECT_EQ(direct, 1);
}

TEST_F(SynchronizeTest, TheMessageLoopServesCallsToo) {
  std::atomic<int> done{0};
  TCallThread worker([&](TCallThread& self) {
    for (int i = 0; i < 20; ++i) self.Synchronize([&] { ++done; });
  });
  worker.Start();
  EXPECT_TRUE(gifdraw::PumpUntil([&] { return done.load() == 20; }, 3s));
  worker.WaitFor();
}

TEST_F(SynchronizeTest, ErrorsOfTheCallReachTheWorker) {
  std::string caught;
  TCallThread worker([&](TCallThread& self) {
    try {
      self.Synchronize([] { throw std::runtime_error("from the GUI thread"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
  });
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(caught, "from the GUI thread");
}

TEST_F(SynchronizeTest, AStoppedThreadWithdrawsItsWaitingCall) {
  std::atomic<bool> queued{false};
  std::atomic<int> result{-1};
  bool ran = false;
  TCallThread worker([&](TCallThread& self) {
    queued = true;
    result = self.Synchronize([&] { ran = true; }) ? 1 : 0;
  });
  worker.Start();
  while (!queued) Sleep(1);
  Sleep(50);  // the GUI thread does not serve it
  worker.Terminate();
  // Ends without the GUI thread's help.
  const auto start = std::chrono::steady_clock::now();
  while (result.load() < 0 && std::chrono::steady_clock::now() - start < 2s) Sleep(1);
  EXPECT_EQ(result.load(), 0);
  CheckSynchronize();
  EXPECT_FALSE(ran);
  worker.WaitFor();
}

TEST_F(SynchronizeTest, WaitingForAThreadOnTheGuiThreadNeverDeadlocks) {
  // The worker needs the GUI thread several times before it ends; the
  // GUI thread waits for it with a plain handle wait that serves calls.
  int served = 0;
  TCallThread worker([&](TCallThread& self) {
    for (int i = 0; i < 5; ++i) {
      Sleep(5);
      self.Synchronize([&] { ++served; });
    }
  });
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(served, 5);
}

TEST_F(SynchronizeTest, EndHandlerRunsOnTheGuiThreadAndTheThreadFreesItself) {
  const DWORD gui = GetCurrentThreadId();
  DWORD endedOn = 0;
  bool destroyed = false;
  auto* worker = new TCallThread([](TCallThread&) {});
  worker->FreeOnTerminate = true;
  worker->destroyed = &destroyed;
  worker->OnTerminate = [&](TThread&) { endedOn = GetCurrentThreadId(); };
  worker->Start();
  EXPECT_TRUE(gifdraw::PumpUntil([&] { return destroyed; }, 3s));
  EXPECT_EQ(endedOn, gui);
}

TEST_F(SynchronizeTest, AThreadThatNeverStartedIsFreedPlainly) {
  bool destroyed = false;
  {
    TCallThread idle([](TCallThread&) {});
    idle.destroyed = &destroyed;
  }
  EXPECT_TRUE(destroyed);
}

TEST_F(SynchronizeTest, CallsOfOtherThreadsAreKnownWhileTheyRun) {
  bool inside = false;
  DWORD id = 0;
  TCallThread worker([&](TCallThread& self) {
    self.Synchronize([&] {
      inside = IsRunningSynchronizedCallOf(GetCurrentThreadId()) == false && IsRunningSynchronizedCallOf(id);
    });
  });
  worker.Start();
  id = worker.ThreadID();
  worker.WaitFor();
  EXPECT_TRUE(inside);
  EXPECT_FALSE(IsRunningSynchronizedCallOf(id));
}

}  // namespace
