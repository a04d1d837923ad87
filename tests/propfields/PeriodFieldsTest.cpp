// The period and discard-age fields of the property pages: what they show,
// what they store, and which typed text they refuse.
#include <gtest/gtest.h>

#include "propfields/PeriodFields.h"
#include "propfields/TypedNumbers.h"

namespace {

uint32_t Stored(const char* days, const char* hours, const char* minutes) {
    uint32_t seconds = 12345;
    PeriodField bad = PeriodFromTexts({days, hours, minutes}, &seconds);
    EXPECT_EQ(kNoBadField, bad) << days << "/" << hours << "/" << minutes;
    return seconds;
}

PeriodField Refused(const char* days, const char* hours, const char* minutes) {
    uint32_t seconds = 777;
    PeriodField bad = PeriodFromTexts({days, hours, minutes}, &seconds);
    EXPECT_EQ(777u, seconds) << "a refused period stores nothing";
    return bad;
}

}  // namespace

TEST(PeriodFields, ShowsDaysHoursAndMinutesOfThePeriod) {
    PeriodTexts t = PeriodToTexts(90061);
    EXPECT_STREQ("1", t.days.c_str());
    EXPECT_STREQ("1", t.hours.c_str());
    EXPECT_STREQ("1", t.minutes.c_str());
    t = PeriodToTexts(0);
    EXPECT_STREQ("0", t.days.c_str());
    EXPECT_STREQ("0", t.minutes.c_str());
    t = PeriodToTexts(40 * 86400 + 23 * 3600 + 59 * 60 + 59);
    EXPECT_STREQ("40", t.days.c_str()) << "a stored period beyond the list still shows";
    EXPECT_STREQ("23", t.hours.c_str());
    EXPECT_STREQ("59", t.minutes.c_str());
    t = PeriodToTexts(2768400);
    EXPECT_STREQ("32", t.days.c_str()) << "the largest typed period shows as whole days";
    EXPECT_STREQ("1", t.hours.c_str());
    EXPECT_STREQ("0", t.minutes.c_str());
}

TEST(PeriodFields, StoresEveryValueUpToTheInclusiveLimits) {
    EXPECT_EQ(2768400u, Stored("31", "24", "60"));
    EXPECT_EQ(90060u, Stored("1", "1", "1"));
    EXPECT_EQ(0u, Stored("0", "0", "0"));
    EXPECT_EQ(600u, Stored("", " ", "10")) << "empty fields are 0, blanks around digits pass";
    EXPECT_EQ(7 * 86400u, Stored(" 7 ", "0", "0"));
}

TEST(PeriodFields, RefusesTheFirstBadFieldInOrder) {
    EXPECT_EQ(kDaysField, Refused("32", "0", "0"));
    EXPECT_EQ(kDaysField, Refused("32", "99", "99")) << "days come first";
    EXPECT_EQ(kHoursField, Refused("1", "25", "61"));
    EXPECT_EQ(kMinutesField, Refused("1", "2", "61"));
    EXPECT_EQ(kDaysField, Refused("-1", "0", "0")) << "read as unsigned";
    EXPECT_EQ(kHoursField, Refused("0", "1x", "0"));
    EXPECT_EQ(kMinutesField, Refused("0", "0", "1 2"));
    EXPECT_EQ(kDaysField, Refused("99999999999999999999", "0", "0"));
}

TEST(PeriodFields, OffersTheUsualValuesWithinTheirRanges) {
    const PeriodField fields[] = {kDaysField, kHoursField, kMinutesField};
    const size_t counts[] = {7, 6, 10};
    const uint32_t last[] = {30, 12, 45};
    for (int i = 0; i < 3; ++i) {
        OfferedValues offered = OfferedPeriodValues(fields[i]);
        ASSERT_EQ(counts[i], offered.count);
        EXPECT_EQ(0u, offered.values[0]);
        EXPECT_EQ(last[i], offered.values[offered.count - 1]);
        for (size_t k = 0; k < offered.count; ++k)
            EXPECT_LE(offered.values[k], PeriodFieldMax(fields[i]));
    }
}

TEST(PeriodFields, DiscardAgeInDaysAndHours) {
    PeriodTexts t = AgeToTexts(3 * 86400 + 5 * 3600 + 1800);
    EXPECT_STREQ("3", t.days.c_str());
    EXPECT_STREQ("5", t.hours.c_str());
    t = AgeToTexts(-5);
    EXPECT_STREQ("0", t.days.c_str()) << "a negative age shows as nothing kept";
    int32_t seconds = 0;
    EXPECT_EQ(kNoBadField, AgeFromTexts({"31", "24", ""}, &seconds));
    EXPECT_EQ((24 + 31 * 24) * 3600, seconds);
    EXPECT_EQ(kDaysField, AgeFromTexts({"32", "0", ""}, &seconds));
    EXPECT_EQ(kHoursField, AgeFromTexts({"1", "25", ""}, &seconds));
}

TEST(TypedNumbers, SignedAndOptionalFields) {
    int32_t n = 0;
    EXPECT_TRUE(ReadSignedField(" -15 ", &n));
    EXPECT_EQ(-15, n);
    EXPECT_TRUE(ReadSignedField("-2147483648", &n));
    EXPECT_EQ(INT32_MIN, n);
    EXPECT_FALSE(ReadSignedField("2147483648", &n));
    EXPECT_FALSE(ReadSignedField("", &n));
    EXPECT_FALSE(ReadSignedField("-", &n));
    EXPECT_FALSE(ReadSignedField("12a", &n));

    EXPECT_STREQ("", OptionalLimitText(-1).c_str());
    EXPECT_STREQ("0", OptionalLimitText(0).c_str());
    EXPECT_STREQ("250", OptionalLimitText(250).c_str());
    EXPECT_EQ(-1, OptionalLimitFromText(""));
    EXPECT_EQ(-1, OptionalLimitFromText("  "));
    EXPECT_EQ(-1, OptionalLimitFromText("five"));
    EXPECT_EQ(-1, OptionalLimitFromText("-3")) << "read unsigned: a sign is not a digit";
    EXPECT_EQ(12, OptionalLimitFromText(" 12 "));
    EXPECT_EQ(INT16_MAX, OptionalLimitFromText("40000")) << "kept within the 16-bit field";
    EXPECT_EQ(INT16_MAX, OptionalLimitFromText("999999999999999999999999"));
}
