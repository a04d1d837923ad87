// The options dialog's fields and the options record: what the controls
// show for stored options, and what typed fields are stored as.
#include "watchlist/OptionsForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kFingerprintA(64, 'A');
const std::string kFingerprintB = std::string(62, '0') + "9f";

std::vector<LanguageEntry> TwoLanguages() {
    return {{"enu", "English"}, {"RUS", "Russian"}};
}

// Options after the dialog was opened on `stored` and `edit` changed fields.
template <class Edit>
Options AfterOk(const Options& stored, Edit edit) {
    OptionsFields f = FieldsFromOptions(stored, TwoLanguages());
    edit(f);
    Options back = stored;
    OptionsFromFields(f, back);
    return back;
}

}  // namespace

TEST(OptionsForm, ChangeTextLimitIsAtLeastFortyAndOffMeansZero) {
    Options o;
    o.outputLimit = 0;
    OptionsFields f = FieldsFromOptions(o, {});
    EXPECT_FALSE(f.limitOn);
    EXPECT_EQ("80", f.limit) << "an unset limit shows the usual length";

    EXPECT_EQ(40, AfterOk(o, [](OptionsFields& f) {
                      f.limitOn = true;
                      f.limit = "25";
                  }).outputLimit);
    EXPECT_EQ(120, AfterOk(o, [](OptionsFields& f) {
                       f.limitOn = true;
                       f.limit = " 120 ";
                   }).outputLimit);
    o.outputLimit = 300;
    EXPECT_TRUE(FieldsFromOptions(o, {}).limitOn);
    EXPECT_EQ("300", FieldsFromOptions(o, {}).limit);
    Options off = AfterOk(o, [](OptionsFields& f) {
        f.limitOn = false;
        f.limit = "500";
    });
    EXPECT_EQ(0, off.outputLimit);
    EXPECT_EQ("80", FieldsFromOptions(off, {}).limit);
}

TEST(OptionsForm, ThreadsAtLeastOneAndChangesPerCheckEmptyForNoBound) {
    Options o;
    EXPECT_EQ("3", FieldsFromOptions(o, {}).threads);
    EXPECT_EQ("", FieldsFromOptions(o, {}).maxNews) << "0 is no bound and shows empty";
    for (const char* typed : {"0", "", "x7", "-2", "99999999999"})
        EXPECT_EQ(1, AfterOk(o, [&](OptionsFields& f) { f.threads = typed; }).maxThreads) << typed;
    Options typed = AfterOk(o, [](OptionsFields& f) {
        f.threads = "12";
        f.maxNews = "25";
    });
    EXPECT_EQ(12, typed.maxThreads);
    EXPECT_EQ(25, typed.maxNews);
    EXPECT_EQ("25", FieldsFromOptions(typed, {}).maxNews);
    EXPECT_EQ(0, AfterOk(typed, [](OptionsFields& f) { f.maxNews = ""; }).maxNews);
    EXPECT_EQ(INT32_MAX, AfterOk(o, [](OptionsFields& f) { f.maxNews = "4000000000"; }).maxNews)
        << "a large unsigned value does not turn negative";
}

TEST(OptionsForm, UnsignedFieldsReadLikeTheDialogManager) {
    EXPECT_EQ(42u, UnsignedField("42"));
    EXPECT_EQ(42u, UnsignedField("  42\t"));
    EXPECT_EQ(4294967295u, UnsignedField("4294967295"));
    EXPECT_EQ(0u, UnsignedField("4294967296"));
    EXPECT_EQ(0u, UnsignedField("4 2"));
    EXPECT_EQ(0u, UnsignedField("+5"));
    EXPECT_EQ(0u, UnsignedField(""));
    EXPECT_EQ(0u, UnsignedField(nullptr));
}

TEST(OptionsForm, LanguageIsChosenWithoutRegardToCase) {
    Options o;
    o.language = "rus";
    EXPECT_EQ(1, FieldsFromOptions(o, TwoLanguages()).language);
    o.language = "ger";
    EXPECT_EQ(0, FieldsFromOptions(o, TwoLanguages()).language) << "none equal: the first";
    EXPECT_EQ("RUS", AfterOk(o, [](OptionsFields& f) { f.language = 1; }).language);

    OptionsFields none = FieldsFromOptions(o, {});
    EXPECT_EQ(-1, none.language);
    Options back = o;
    OptionsFromFields(none, back);
    EXPECT_EQ("", back.language) << "no module: an empty language";
}

TEST(OptionsForm, ProgramWideEventAndItsControls) {
    Options o;
    for (uint8_t stored : {0, 5, 255}) {
        o.event.type = stored;
        EXPECT_EQ(kEventNone, FieldsFromOptions(o, {}).eventType) << int{stored};
    }
    o.event.type = kEventMessage;
    o.event.param = "Look!";
    OptionsFields f = FieldsFromOptions(o, {});
    EXPECT_EQ(kEventMessage, f.eventType);
    EXPECT_EQ("Look!", f.eventParam);
    Options back = AfterOk(o, [](OptionsFields& f) {
        f.eventType = kEventRunProgram;
        f.eventParam = "C:\\tools\\run.exe";
    });
    EXPECT_EQ(kEventRunProgram, back.event.type);
    EXPECT_EQ("C:\\tools\\run.exe", back.event.param);

    const bool param[] = {false, false, true, true, true};
    const bool browse[] = {false, false, true, false, true};
    for (int type = kEventNone; type <= kEventRunProgram; ++type) {
        EXPECT_EQ(param[type], EventControlsFor(type).param) << type;
        EXPECT_EQ(browse[type], EventControlsFor(type).browse) << type;
    }
    EXPECT_TRUE(BrowsesForSound(kEventSound));
    EXPECT_FALSE(BrowsesForSound(kEventRunProgram));
}

TEST(OptionsForm, ProxyFieldsComeBackAsTyped) {
    Options o;
    Options back = AfterOk(o, [](OptionsFields& f) {
        f.proxyOn = true;
        f.proxy = "proxy.local";
        f.proxyPort = "3128";
        f.proxyUser = "me";
        f.proxyPassword = "secret";
        f.savePassword = true;
    });
    EXPECT_TRUE(back.proxyOn);
    EXPECT_EQ("proxy.local", back.proxy);
    EXPECT_EQ("3128", back.proxyPort);
    EXPECT_EQ("me", back.proxyUser);
    EXPECT_EQ("secret", back.proxyPassword);
    EXPECT_TRUE(back.savePassword);
    OptionsFields f = FieldsFromOptions(back, {});
    EXPECT_EQ("proxy.local", f.proxy);
    EXPECT_TRUE(f.savePassword);
}

TEST(OptionsForm, MailSecurityAndTrustedCertificatesRoundTrip) {
    Options o;
    o.mailStls = 2;
    o.trustedCerts = ("pop.example.org:" + kFingerprintA + ";mail.test:" + kFingerprintB).c_str();
    OptionsFields f = FieldsFromOptions(o, {});
    EXPECT_EQ(2, f.mailStls);
    std::string upperB = std::string(62, '0') + "9F";
    EXPECT_EQ("pop.example.org:" + kFingerprintA + "\r\nmail.test:" + upperB,
              f.trustedCerts.c_str());
    Options same = o;
    OptionsFromFields(f, same);
    EXPECT_EQ(("pop.example.org:" + kFingerprintA + ";mail.test:" + upperB).c_str(),
              same.trustedCerts);

    Options typed = AfterOk(o, [&](OptionsFields& f) {
        f.mailStls = 0;
        f.trustedCerts = ("\r\n  Other.Host:" + kFingerprintB + "  \r\n\r\n").c_str();
    });
    EXPECT_EQ(0, typed.mailStls);
    EXPECT_EQ(("other.host:" + upperB).c_str(), typed.trustedCerts);
    EXPECT_EQ("", AfterOk(o, [](OptionsFields& f) { f.trustedCerts = "\r\n"; }).trustedCerts);
}

TEST(OptionsForm, TrustedLinesThatAreNoPairsAreRefused) {
    AStr stored = "kept";
    EXPECT_FALSE(TrustedCertsFromLines("pop.example.org", &stored));
    EXPECT_FALSE(
        TrustedCertsFromLines(("pop.example.org:" + kFingerprintA + "\r\nx:12").c_str(), &stored));
    EXPECT_FALSE(TrustedCertsFromLines(("a b:" + kFingerprintA).c_str(), &stored));
    EXPECT_EQ("kept", stored);
    EXPECT_TRUE(TrustedCertsFromLines(("h:" + kFingerprintA).c_str(), &stored));
    EXPECT_EQ(("h:" + kFingerprintA).c_str(), stored);
}

TEST(OptionsForm, PageSizeInKilobytesAndCheckTimeInSeconds) {
    Options o;
    OptionsFields f = FieldsFromOptions(o, {});
    EXPECT_EQ("32768", f.pageKilobytes);
    EXPECT_EQ("300", f.checkSeconds);
    o.maxPageBytes = 1025;
    EXPECT_EQ("2", FieldsFromOptions(o, {}).pageKilobytes) << "a part of a kilobyte counts";

    Options back = AfterOk(o, [](OptionsFields& f) {
        f.pageKilobytes = "512";
        f.checkSeconds = "0";
    });
    EXPECT_EQ(512u * 1024, back.maxPageBytes);
    EXPECT_EQ(0u, back.checkSeconds) << "0: no limit";
    Options huge = AfterOk(o, [](OptionsFields& f) {
        f.pageKilobytes = "4000000000";
        f.checkSeconds = "4000000000";
    });
    EXPECT_EQ(uint64_t{kMostPageKilobytes} * 1024, huge.maxPageBytes);
    EXPECT_EQ(kMostCheckSeconds, huge.checkSeconds);
}
