// The texts a failed secure connection shows, from the built language
// modules: each fault of a certificate says what was wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Files.h"
#include "platform/Lang.h"
#include "pop3/Pop3Check.h"

namespace {

class TlsErrorTexts : public ::testing::Test {
  protected:
    void TearDown() override { TheLanguage().SetModule(nullptr, false); }
    void Load(const char* module) {
        std::string path = platform::JoinPath(platform::ProgramDirectory(), module);
        void* m = platform::LoadLibraryFile(path.c_str());
        ASSERT_NE(nullptr, m) << path;
        TheLanguage().SetModule(m, true);
    }
    static std::string Text(uint32_t code) { return ErrorText(static_cast<int32_t>(code)).c_str(); }
};

}  // namespace

TEST_F(TlsErrorTexts, EnglishTextsNameTheFault) {
    Load("ovenu.dll");
    EXPECT_NE(std::string::npos, Text(kTlsCertExpired).find("expired"));
    EXPECT_NE(std::string::npos, Text(kTlsCertWrongHost).find("another host name"));
    EXPECT_NE(std::string::npos, Text(kTlsCertUnknownIssuer).find("unknown issuer"));
    EXPECT_NE(std::string::npos, Text(kPop3StlsNotOffered).find("password was not sent"));
}

TEST_F(TlsErrorTexts, RussianModuleHasItsOwnTextForEveryCode) {
    Load("ovenu.dll");
    std::string english[8];
    const uint32_t codes[] = {kTlsHandshakeFailed,   kTlsCertExpired,  kTlsCertWrongHost,
                              kTlsCertUnknownIssuer, kTlsCertRejected, kTlsUnavailable,
                              kPop3StlsNotOffered,   kPop3StlsRefused};
    for (int i = 0; i < 8; ++i) english[i] = Text(codes[i]);
    Load("ovrus.dll");
    for (int i = 0; i < 8; ++i) {
        std::string russian = Text(codes[i]);
        EXPECT_NE(std::string::npos, english[i].find("mail server"))
            << codes[i] << " " << english[i];
        EXPECT_FALSE(russian.empty());
        EXPECT_NE(english[i], russian) << codes[i];
        EXPECT_EQ(std::string::npos, russian.find("Error #")) << codes[i];
    }
}
