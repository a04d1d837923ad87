// The texts the user reads for the results of a mailbox check.
#include <gtest/gtest.h>

#include <string>

#include "platform/Lang.h"
#include "pop3/Pop3Check.h"

namespace {
bool StartsWith(const AStr& text, const std::string& prefix) {
    return std::string(text.c_str()).rfind(prefix, 0) == 0;
}
}  // namespace

TEST(Pop3ErrorText, LoginRefusalsAreInternetErrorsWithoutALanguageText) {
    TheLanguage().SetModule(nullptr, false);
    EXPECT_TRUE(StartsWith(ErrorText(kPop3UserRefused), "Internet "))
        << ErrorText(kPop3UserRefused).c_str();
    EXPECT_TRUE(StartsWith(ErrorText(kPop3PasswordRefused), "Internet "));
    EXPECT_FALSE(ErrorText(kPop3BadReply).IsEmpty());
}

TEST(Pop3ErrorText, CodesOutsideEveryRangeHaveNoPrefix) {
    TheLanguage().SetModule(nullptr, false);
    EXPECT_EQ("Error #70000 (0x11170)", ErrorText(70000));
}
