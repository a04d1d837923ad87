#include "platform/SharedLibrary.h"

#include <gtest/gtest.h>

namespace {

struct StringFunctions {
    size_t (*strlen)(const char*);
    int (*strcmp)(const char*, const char*);
};

TEST(SharedLibrary, TheFirstLibraryThatLoadsFillsTheTable) {
    static const char* const sonames[] = {"libov-none.so.9", "libc.so.6", nullptr};
    static const char* const names[] = {"strlen", "strcmp"};
    StringFunctions table{};
    ASSERT_TRUE(platform::LoadSharedTable(sonames, names, &table));
    EXPECT_EQ(5u, table.strlen("bytes"));
    EXPECT_LT(table.strcmp("a", "b"), 0);
}

TEST(SharedLibrary, AMissingLibraryOrFunctionLeavesEverySlotNull) {
    static const char* const missing[] = {"libov-none.so.9", nullptr};
    static const char* const names[] = {"strlen", "strcmp"};
    void* slots[2] = {&slots, &slots};
    EXPECT_FALSE(platform::LoadSharedFunctions(missing, names, slots, 2));
    EXPECT_EQ(nullptr, slots[0]);
    EXPECT_EQ(nullptr, slots[1]);

    static const char* const libc[] = {"libc.so.6", nullptr};
    static const char* const oneMissing[] = {"strlen", "ov_no_such_function"};
    slots[0] = slots[1] = &slots;
    EXPECT_FALSE(platform::LoadSharedFunctions(libc, oneMissing, slots, 2));
    EXPECT_EQ(nullptr, slots[0]) << "a table is filled whole or not at all";
    EXPECT_EQ(nullptr, slots[1]);
}

}  // namespace
