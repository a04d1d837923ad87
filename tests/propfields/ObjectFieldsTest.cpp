// The address and mailbox fields of the property pages, the shown time of
// the last attempt and the colour list.
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "propfields/ObjectFields.h"

TEST(ObjectFields, TypedAddressesBecomeUrls) {
    EXPECT_STREQ("http://www.example.com/a", TypedPageAddress("www.example.com/a").c_str());
    EXPECT_STREQ("http://example.com/", TypedPageAddress("  example.com/ \t").c_str());
    EXPECT_STREQ("https://x.example/", TypedPageAddress("https://x.example/").c_str());
    EXPECT_STREQ("http://x.example/a/b?q=c\\d", TypedPageAddress("x.example\\a\\b?q=c\\d").c_str())
        << "backslashes become slashes only before the query";
    EXPECT_STREQ("FILE:///tmp/x.htm", TypedPageAddress("FILE:///tmp/x.htm").c_str());
    EXPECT_STREQ("", TypedPageAddress("   ").c_str()) << "a blank address stays empty";
    EXPECT_STREQ("", TypedPageAddress(nullptr).c_str());
}

TEST(ObjectFields, OnlyAProtectedObjectLocksItsAddress) {
    ItemProperties p;
    p.flags = kFlagNewsTape;
    EXPECT_FALSE(AddressLocked(p));
    p.flags |= kFlagProtected;
    EXPECT_TRUE(AddressLocked(p));
}

TEST(ObjectFields, MailboxUserWithAtRoundTripsThroughTheAddress) {
    MailboxFields f = SplitMailboxFields("mailto:joe\x07work.example:s3cr@t@pop.example.com:1110");
    EXPECT_STREQ("pop.example.com", f.server.c_str());
    EXPECT_STREQ("1110", f.port.c_str());
    EXPECT_STREQ("joe@work.example", f.user.c_str()) << "the byte 7 shows as @";
    EXPECT_STREQ("s3cr@t", f.password.c_str());
    AStr rebuilt = JoinMailboxFields(f);
    EXPECT_STREQ("mailto:joe\x07work.example:s3cr@t@pop.example.com:1110", rebuilt.c_str());
    EXPECT_STREQ("joe@work.example", SplitMailboxFields(rebuilt.c_str()).user.c_str());

    f.user = "a@b@c";
    EXPECT_STREQ(
        "mailto:a\x07"
        "b\x07"
        "c:s3cr@t@pop.example.com:1110",
        JoinMailboxFields(f).c_str());
}

TEST(ObjectFields, MailboxPortDefaultsTo110) {
    EXPECT_STREQ("110", SplitMailboxFields("mailto:u:p@host").port.c_str());
    EXPECT_STREQ("110", SplitMailboxFields("mailto:u:p@host:99999").port.c_str());
    EXPECT_STREQ("110", SplitMailboxFields("").port.c_str());
    MailboxFields f;
    f.server = "pop.example";
    f.user = "u";
    f.password = "p";
    for (const char* port : {"", "0", "-7", "abc", "70000", " "}) {
        f.port = port;
        EXPECT_STREQ("mailto:u:p@pop.example:110", JoinMailboxFields(f).c_str()) << port;
    }
    f.port = " 995 ";
    EXPECT_STREQ("mailto:u:p@pop.example:995", JoinMailboxFields(f).c_str());
}

TEST(ObjectFields, MailboxTlsMarkIsKept) {
    MailboxFields f = SplitMailboxFields("mailto:u:p@host:1995/tls");
    EXPECT_TRUE(f.tls);
    f.port = "2995";
    EXPECT_STREQ("mailto:u:p@host:2995/tls", JoinMailboxFields(f).c_str());
}

TEST(ObjectFields, LastAttemptAddsBackTheRetryMove) {
    EXPECT_EQ(0u, ShownLastAttempt(0, 86400, true, false)) << "never attempted";
    EXPECT_EQ(1000u, ShownLastAttempt(1000, 86400, false, false));
    EXPECT_EQ(1000u + 86400 - 600, ShownLastAttempt(1000, 86400, true, false));
    EXPECT_EQ(1000u, ShownLastAttempt(1000, 600, true, false)) << "no move within ten minutes";
    EXPECT_EQ(1000u + 1, ShownLastAttempt(1000, 601, true, false));
    EXPECT_EQ(1000u + 86400 - 7200, ShownLastAttempt(1000, 86400, true, true)) << "a mailbox";
}

// Whatever the scheduler stored after a failed attempt (the time moved so
// that the retry falls due), the sheet shows the attempt's own time.
TEST(ObjectFields, LastAttemptShownIsTheTimeOfTheFailedAttempt) {
    const uint32_t attempt = 1800000000;
    for (bool mailbox : {false, true}) {
        for (uint32_t period : {601u, 3600u, 21600u, 86400u, 604800u}) {
            const uint32_t stored = attempt + RetryDelay(period, mailbox) - period;
            EXPECT_EQ(attempt, ShownLastAttempt(stored, period, true, mailbox))
                << (mailbox ? "mailbox, " : "page, ") << period << " s";
        }
    }
}

TEST(ObjectFields, LastAttemptTextHasDateCommaTwoBlanksAndTime) {
    // 2026-03-05 12:00 UTC, in the local time of the machine.
    const uint32_t time = 1772712000;
    platform::LocalTime t = platform::ToLocalTime(time);
    AStr text = LastAttemptText(time, 1033);
    std::string s = text.c_str();
    size_t comma = s.find(",  ");
    ASSERT_NE(std::string::npos, comma) << s;
    EXPECT_NE(std::string::npos, s.find(std::to_string(t.year)));
    EXPECT_NE(std::string::npos, s.find(AStr::Format("%02d", t.minute).c_str(), comma)) << s;
}

TEST(ObjectFields, ColoursOfTheListAndTheirEntries) {
    EXPECT_EQ(0x000000u, ColorChoice(0));
    EXPECT_EQ(0x800000u, ColorChoice(1)) << "navy: blue 128 in the high byte";
    EXPECT_EQ(0x00FFFFu, ColorChoice(14)) << "yellow";
    EXPECT_EQ(0xFFFFFFu, ColorChoice(15));
    for (size_t i = 0; i < kColorChoiceCount; ++i) EXPECT_EQ(i, ColorChoiceIndex(ColorChoice(i)));
    EXPECT_EQ(11u, ColorChoiceIndex(ItemProperties().color)) << "the default colour is listed";
    EXPECT_EQ(0u, ColorChoiceIndex(0xA0E8FF)) << "an unlisted colour selects the first";
}

TEST(ObjectFields, EventControlsFollowTheKind) {
    const bool parameter[] = {false, false, true, true, true};
    const bool chooser[] = {false, false, true, false, true};
    for (uint8_t type = 0; type < 5; ++type) {
        EXPECT_EQ(parameter[type], EventTakesParameter(type)) << int(type);
        EXPECT_EQ(chooser[type], EventHasChooser(type)) << int(type);
    }
    EXPECT_FALSE(EventTakesParameter(ItemEvent::kProgramWide));
}

TEST(ObjectFields, ChangesOfAnOkAreSortedIntoAddressPeriodAndTheRest) {
    ItemProperties before;
    before.address = "http://a.example/";
    before.timedelta = 3600;
    ItemProperties after = before;
    EXPECT_FALSE(CompareProperties(before, after).Any());
    after.address = "http://A.example/";
    PropertyChanges c = CompareProperties(before, after);
    EXPECT_TRUE(c.address) << "compared with case";
    EXPECT_FALSE(c.period || c.other);
    after = before;
    after.timedelta = 7200;
    c = CompareProperties(before, after);
    EXPECT_TRUE(c.period && !c.address && !c.other);
    after = before;
    after.event.param = "x.wav";
    EXPECT_TRUE(CompareProperties(before, after).other);
    after = before;
    after.flags ^= kFlagTextLog;
    EXPECT_TRUE(CompareProperties(before, after).other);
}
