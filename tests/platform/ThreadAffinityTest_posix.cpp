#ifdef __linux__
#include <pthread.h>
#include <sched.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/Thread.h"

using namespace platform;

namespace {

// Reports whether it may run on exactly the processors given.
class AffinityProbe : public Thread {
  public:
    explicit AffinityProbe(const cpu_set_t& expected) : expected_(expected) {}
    int32_t Run() override {
        cpu_set_t own;
        if (sched_getaffinity(0, sizeof own, &own) != 0) return -1;
        return CPU_EQUAL(&own, &expected_) ? 1 : 0;
    }

  private:
    cpu_set_t expected_;
};

// Starts a probe from a fresh thread limited to `allowed` (all the
// processors when null) and returns its answer.
int32_t ProbeStartedFrom(const cpu_set_t* allowed) {
    int32_t answer = -2;
    std::thread creator([&] {
        if (allowed && pthread_setaffinity_np(pthread_self(), sizeof *allowed, allowed) != 0)
            return;
        cpu_set_t own;
        if (sched_getaffinity(0, sizeof own, &own) != 0) return;
        auto* probe = new AffinityProbe(own);
        if (!probe->Start()) return;
        answer = probe->GetResult();
        probe->Release();
    });
    creator.join();
    return answer;
}

}  // namespace

// A worker begins away from its creator's processor, so that it need not
// wait for that one; once running it may go wherever its creator may.
TEST(ThreadAffinity, AWorkerMayRunWhereverItsCreatorMay) {
    EXPECT_EQ(1, ProbeStartedFrom(nullptr));
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    EXPECT_EQ(1, ProbeStartedFrom(&one));  // nowhere else to begin
}
#endif
