#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/Thread.h"

using namespace platform;

namespace {

// Reports the nice value it runs at, after the test has set the priority.
class NiceProbe : public Thread {
  public:
    int32_t Run() override {
        gate.Wait(kWaitForever);
        return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    }
    Event gate;
};

}  // namespace

TEST(ThreadPriority, BelowNormalRunsTheWorkerAtALowerNiceLevel) {
    auto* t = new NiceProbe;
    ASSERT_TRUE(t->Start());
    t->SetPriority(kPriorityBelowNormal);
    t->gate.Set();
    int base = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    EXPECT_EQ(base + 5 > 19 ? 19 : base + 5, t->GetResult());
    t->Release();
}
