// Text read from a block of outside bytes never runs past the block.
#include "framework/BlockText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BlockText, StopsAtTheZeroTheSizeOrTheLimit) {
    const char block[] = {'h', 't', 't', 'p', ':', '/', '/', 'a', '\0', 'x', 'y'};
    EXPECT_STREQ("http://a", TextOfBlock(block, sizeof block, 100).c_str());
    EXPECT_STREQ("http", TextOfBlock(block, 4, 100).c_str()) << "no zero inside the block";
    EXPECT_STREQ("htt", TextOfBlock(block, sizeof block, 3).c_str());
    EXPECT_STREQ("", TextOfBlock(block, 0, 100).c_str());
    EXPECT_STREQ("", TextOfBlock(nullptr, 10, 10).c_str());
    std::string big(5000, 'u');  // no terminator within the limit
    EXPECT_EQ(519u, TextOfBlock(big.data(), big.size(), 519).Length());
}

}  // namespace
