#include "platform/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/HostQueue.h"

using namespace platform;

namespace {

// A worker that waits for the test to open its gate (or for an abort), then
// returns 1223 when aborted and its value otherwise. It tells the test when
// it is destroyed.
class GatedWorker : public Thread {
  public:
    GatedWorker(std::shared_ptr<ReportTarget> report, Event* destroyed, int32_t value = 7,
                bool honourAbort = true)
        : Thread(std::move(report)),
          destroyed_(destroyed),
          value_(value),
          honourAbort_(honourAbort) {}
    ~GatedWorker() override {
        if (destroyed_) destroyed_->Set();
    }

    int32_t Run() override {
        started.Set();
        while (!gate.Wait(5)) {
            if (honourAbort_ && IsAbortRequested()) {
                PostEnd(1);
                return 1223;
            }
        }
        PostEnd(1);
        return value_;
    }

    Event started;
    Event gate;

  private:
    Event* destroyed_;
    int32_t value_;
    bool honourAbort_;
};

class CountingHook : public AbortHook {
  public:
    void Abort() override { ++calls; }
    std::atomic<int> calls{0};
};

}  // namespace

TEST(Thread, BaseRunPostsEndOfKindZeroAndReturnsZero) {
    auto queue = std::make_shared<HostQueue>();
    Thread* t = new Thread(queue);
    ASSERT_TRUE(t->Start());
    HostMessage m{};
    ASSERT_TRUE(queue->Take(&m, kWaitForever));
    EXPECT_EQ(Report::kThreadEnd, m.what);
    EXPECT_EQ(0u, m.param);
    EXPECT_EQ(t, m.sender);
    EXPECT_EQ(0, t->GetResult());
    EXPECT_FALSE(t->IsRunning());
    EXPECT_EQ(0, t->Release());
}

TEST(Thread, NeverStartedHasResultMinusOneAtOnce) {
    Event destroyed;
    auto* t = new GatedWorker(nullptr, &destroyed);
    EXPECT_EQ(-1, t->GetResult());
    EXPECT_TRUE(t->IsRunning());  // the work has not returned
    EXPECT_FALSE(t->IsAbortRequested());
    EXPECT_EQ(0, t->Release());
    EXPECT_TRUE(destroyed.IsSet());
}

TEST(Thread, ReferenceCountRisesWithStartAndFallsWithFinish) {
    Event destroyed;
    auto* t = new GatedWorker(nullptr, &destroyed);
    EXPECT_EQ(2, t->AddRef());
    EXPECT_EQ(1, t->Release());
    ASSERT_TRUE(t->Start());
    ASSERT_TRUE(t->started.Wait(kWaitForever));
    EXPECT_EQ(3, t->AddRef());  // creator, running thread, this test
    EXPECT_EQ(2, t->Release());
    t->gate.Set();
    EXPECT_EQ(7, t->GetResult());
    EXPECT_FALSE(destroyed.IsSet());
    EXPECT_EQ(0, t->Release());
    EXPECT_TRUE(destroyed.IsSet());
}

TEST(Thread, ReleasedBeforeItsEndLivesUntilItsWorkReturns) {
    Event destroyed;
    auto* t = new GatedWorker(nullptr, &destroyed);
    ASSERT_TRUE(t->Start());
    ASSERT_TRUE(t->started.Wait(kWaitForever));
    t->Abort();
    EXPECT_EQ(1, t->Release());  // the running thread still holds it
    // The worker deletes itself when its procedure ends.
    EXPECT_TRUE(destroyed.Wait(kWaitForever));
}

TEST(Thread, AbandonedWorkerStillPostsItsEnd) {
    auto queue = std::make_shared<HostQueue>();
    Event destroyed;
    auto* t = new GatedWorker(queue, &destroyed);
    ASSERT_TRUE(t->Start());
    ASSERT_TRUE(t->started.Wait(kWaitForever));
    t->Release();
    t->gate.Set();
    HostMessage m{};
    ASSERT_TRUE(queue->Take(&m, kWaitForever));
    EXPECT_EQ(1u, m.param);
    EXPECT_TRUE(destroyed.Wait(kWaitForever));
}

TEST(Thread, AbortWithoutHookOnlySetsTheEvent) {
    Event destroyed;
    auto* t = new GatedWorker(nullptr, &destroyed);
    t->Abort();
    EXPECT_TRUE(t->IsAbortRequested());
    EXPECT_TRUE(t->IsRunning());
    // The abort reaches the work at its next test.
    ASSERT_TRUE(t->Start());
    EXPECT_EQ(1223, t->GetResult());
    t->Release();
    EXPECT_TRUE(destroyed.Wait(kWaitForever));
}

TEST(Thread, AbortCallsTheHookAndSwapReturnsThePreviousOne) {
    CountingHook first, second;
    Thread t;
    AbortHook* old = &second;
    t.SetAbortHook(&first, &old);
    EXPECT_EQ(nullptr, old);
    t.Abort();
    EXPECT_EQ(1, first.calls.load());
    t.SetAbortHook(&second, &old);
    EXPECT_EQ(&first, old);
    t.SetAbortHook(nullptr);
    t.Abort();
    EXPECT_EQ(1, first.calls.load());
    EXPECT_EQ(0, second.calls.load());
}

TEST(Thread, ShutDownWaitReturnsWhenTenAbortedWorkersHaveFinished) {
    Event destroyed[10];
    std::vector<GatedWorker*> workers;
    for (auto& d : destroyed) {
        auto* w = new GatedWorker(nullptr, &d);
        ASSERT_TRUE(w->Start());
        workers.push_back(w);
    }
    for (auto* w : workers) w->Abort();
    std::vector<Thread*> threads(workers.begin(), workers.end());
    EXPECT_TRUE(WaitForThreads(threads.data(), threads.size(), kShutdownWaitMs));
    for (auto* w : workers) {
        EXPECT_FALSE(w->IsRunning());
        EXPECT_EQ(1223, w->GetResult());
        w->Release();
    }
    for (auto& d : destroyed) EXPECT_TRUE(d.IsSet());
}

TEST(Thread, ShutDownWaitGivesUpAtItsLimitOnAWorkerThatIgnoresAborts) {
    Event destroyed[10];
    std::vector<GatedWorker*> workers;
    for (int i = 0; i < 10; ++i) {
        auto* w = new GatedWorker(nullptr, &destroyed[i], 7, /*honourAbort=*/i != 4);
        ASSERT_TRUE(w->Start());
        workers.push_back(w);
    }
    for (auto* w : workers) w->Abort();
    std::vector<Thread*> threads(workers.begin(), workers.end());
    EXPECT_FALSE(WaitForThreads(threads.data(), threads.size(), 100));
    EXPECT_TRUE(workers[4]->IsRunning());
    // Abandon them all, as the host does at shut-down; the stuck one goes
    // when it is let go.
    GatedWorker* stuck = workers[4];
    stuck->AddRef();
    for (auto* w : workers) w->Release();
    for (int i = 0; i < 10; ++i) {
        if (i != 4) {
            EXPECT_TRUE(destroyed[i].Wait(kWaitForever));
        }
    }
    EXPECT_FALSE(destroyed[4].IsSet());
    stuck->gate.Set();
    stuck->Release();
    EXPECT_TRUE(destroyed[4].Wait(kWaitForever));
}
