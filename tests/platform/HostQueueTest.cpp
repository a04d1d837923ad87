#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

using namespace platform;

TEST(HostQueue, HandsOutMessagesOldestFirst) {
    HostQueue q;
    int a, b;
    EXPECT_TRUE(q.Post(Report::kBytesRead, 100, &a));
    EXPECT_TRUE(q.Post(Report::kThreadEnd, 1, &b));
    EXPECT_EQ(2u, q.Size());
    HostMessage m{};
    ASSERT_TRUE(q.Take(&m));
    EXPECT_EQ(Report::kBytesRead, m.what);
    EXPECT_EQ(100u, m.param);
    EXPECT_EQ(&a, m.sender);
    ASSERT_TRUE(q.Take(&m));
    EXPECT_EQ(Report::kThreadEnd, m.what);
    EXPECT_EQ(&b, m.sender);
    EXPECT_FALSE(q.Take(&m));
    EXPECT_FALSE(q.Take(&m, 20));  // waits, then gives up
}

TEST(HostQueue, ATakerWaitingWakesForAMessagePostedLater) {
    HostQueue q;
    std::thread poster([&] { q.Post(Report::kThreadEnd, 2, nullptr); });
    HostMessage m{};
    EXPECT_TRUE(q.Take(&m, kWaitForever));
    EXPECT_EQ(2u, m.param);
    poster.join();
}

TEST(HostQueue, MessagesFromManyThreadsAllArriveOnce) {
    HostQueue q;
    std::vector<std::thread> posters;
    for (uintptr_t t = 0; t < 8; ++t)
        posters.emplace_back([&q, t] {
            for (uintptr_t i = 0; i < 500; ++i) q.Post(Report::kBytesRead, t * 1000 + i, nullptr);
        });
    std::set<uintptr_t> seen;
    HostMessage m{};
    while (seen.size() < 4000 && q.Take(&m, kWaitForever)) EXPECT_TRUE(seen.insert(m.param).second);
    for (auto& p : posters) p.join();
    EXPECT_EQ(4000u, seen.size());
    EXPECT_EQ(0u, q.Size());
}

TEST(HostQueue, AClosedQueueDropsWhatItHeldAndRefusesPosts) {
    HostQueue q;
    q.Post(Report::kThreadEnd, 1, nullptr);
    q.Close();
    EXPECT_EQ(0u, q.Size());
    EXPECT_FALSE(q.Post(Report::kThreadEnd, 1, nullptr));
    HostMessage m{};
    EXPECT_FALSE(q.Take(&m));
}
