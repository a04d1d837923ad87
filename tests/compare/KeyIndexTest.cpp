#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "compare/KeyIndex.h"

// Every look-up agrees with a plain scan, for keys that differ in any of
// their bytes and repeat often.
TEST(KeyIndex, FindAgreesWithAScanOfThePositions) {
    std::mt19937 rng(5);
    for (int round = 0; round < 40; ++round) {
        std::vector<uint32_t> keys(1 + rng() % 600);
        std::vector<uint32_t> pool(1 + round % 17);
        for (uint32_t& k : pool) k = rng();
        pool[0] = kSentinelKey;
        KeyIndex index;
        for (uint32_t& k : keys) index.Add(k = pool[rng() % pool.size()]);
        index.Seal();
        ASSERT_EQ(keys.size(), index.Size());
        for (int probe = 0; probe < 200; ++probe) {
            const uint32_t key = probe % 7 == 0 ? rng() : pool[rng() % pool.size()];
            const uint32_t from = rng() % (keys.size() + 1);
            const uint64_t end = from + rng() % (keys.size() + 1);
            const uint32_t skipBelow = rng() % 3;  // accept refuses some matches
            int64_t expected = -1;
            int seen = 0;
            for (uint32_t p = from; p < end && p < keys.size(); ++p)
                if (keys[p] == key && static_cast<uint32_t>(seen++) >= skipBelow) {
                    expected = p;
                    break;
                }
            int accepted = 0;
            int64_t found = index.Find(key, from, end, [&](uint32_t p) {
                EXPECT_EQ(key, index.KeyAt(p));
                return static_cast<uint32_t>(accepted++) >= skipBelow;
            });
            ASSERT_EQ(expected, found) << "round " << round << " probe " << probe;
        }
    }
}
