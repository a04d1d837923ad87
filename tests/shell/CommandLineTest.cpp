#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Split(const char* line) {
    std::vector<std::string> out;
    for (const AStr& a : SplitCommandLine(line)) out.emplace_back(a.c_str());
    return out;
}

using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(Args({}), Split(""));
    EXPECT_EQ(Args({}), Split(nullptr));
    EXPECT_EQ(Args({"/url", "http://127.0.0.1/a b"}), Split("  /url\t\"http://127.0.0.1/a b\"  "));
    EXPECT_EQ(Args({"ab c", "d"}), Split("a\"b c\" d"));
    EXPECT_EQ(Args({"open"}), Split("\"open"));
    EXPECT_EQ(Args({""}), Split("\"\""));
}

TEST(CommandLine, BackslashesCountOnlyBeforeQuotes) {
    EXPECT_EQ(Args({"C:\\dir\\file"}), Split("C:\\dir\\file"));
    EXPECT_EQ(Args({"a\\\\b c"}), Split("\"a\\\\b c\""));
    EXPECT_EQ(Args({"a\\", "b"}), Split("\"a\\\\\" b"));
    EXPECT_EQ(Args({"say \"hi\""}), Split("\"say \\\"hi\\\"\""));
    EXPECT_EQ(Args({"a\"b"}), Split("\"a\"\"b\""));
    EXPECT_EQ(Args({"end\\\\"}), Split("end\\\\"));
}

TEST(CommandLine, OptionsAreComparedWithoutCase) {
    EXPECT_TRUE(FirstArgumentIs(SplitCommandLine("/URL x"), "/url"));
    EXPECT_TRUE(FirstArgumentIs(SplitCommandLine("/UnInstall"), "/uninstall"));
    EXPECT_FALSE(FirstArgumentIs(SplitCommandLine("x /url"), "/url"));
    EXPECT_FALSE(FirstArgumentIs(SplitCommandLine("/urls x"), "/url"));
    EXPECT_FALSE(FirstArgumentIs(SplitCommandLine(""), "/url"));
}

}  // namespace
