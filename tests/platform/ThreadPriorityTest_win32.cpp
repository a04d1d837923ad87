#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Thread.h"

using namespace platform;

namespace {

class PriorityProbe : public Thread {
  public:
    int32_t Run() override {
        gate.Wait(kWaitForever);
        return GetThreadPriority(GetCurrentThread());
    }
    Event gate;
};

}  // namespace

TEST(ThreadPriority, BelowNormalIsTheWorkersPriority) {
    auto* t = new PriorityProbe;
    ASSERT_TRUE(t->Start());
    t->SetPriority(kPriorityBelowNormal);
    t->gate.Set();
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, t->GetResult());
    t->Release();
}
