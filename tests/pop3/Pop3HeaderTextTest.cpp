// Header values of mail: encoded-words, charsets, dates and header lines.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Koi8.h"
#include "platform/Socket.h"
#include "pop3/MailDate.h"
#include "pop3/MailDecode.h"
#include "pop3/MailHeaders.h"
#include "socket/CommMemoryPort.h"

namespace {

std::string Decode(const char* text, bool* flag = nullptr) {
    bool unused = false;
    return DecodeHeaderText(text, flag ? flag : &unused).c_str();
}

// "Привет" in KOI8 and in 1251.
const char kKoiPrivet[] = "\xF0\xD2\xC9\xD7\xC5\xD4";
const char kWinPrivet[] = "\xCF\xF0\xE8\xE2\xE5\xF2";

}  // namespace

TEST(Koi8Table, ConvertsLettersBoxDrawingAndUnmappedBytes) {
    char text[] = "\xF0\xD2\xC9\xD7\xC5\xD4 ok";
    koi8::ToCp1251(text, text, sizeof text - 1);
    EXPECT_EQ(std::string(kWinPrivet) + " ok", text);
    EXPECT_EQ(0xFE, koi8::ToCp1251(0xC0));  // ю
    EXPECT_EQ(0xC0, koi8::ToCp1251(0xE1));  // А
    EXPECT_EQ(0xDA, koi8::ToCp1251(0xFF));  // Ъ
    EXPECT_EQ(0xB8, koi8::ToCp1251(0xA3));  // ё
    EXPECT_EQ(0xA8, koi8::ToCp1251(0xB3));  // Ё
    EXPECT_EQ('-', koi8::ToCp1251(0x80));
    EXPECT_EQ('+', koi8::ToCp1251(0x8A));
    EXPECT_EQ(' ', koi8::ToCp1251(0xA0));
    EXPECT_EQ('A', koi8::ToCp1251('A'));
}

TEST(DecodeHeaderText, PlainTextIsKeptAndTheFlagLeftAlone) {
    bool flag = false;
    EXPECT_EQ("Hello = world ?", Decode("Hello = world ?", &flag));
    EXPECT_FALSE(flag);
    EXPECT_EQ(kKoiPrivet, Decode(kKoiPrivet, &flag));  // no conversion without a word
    EXPECT_FALSE(flag);
}

TEST(DecodeHeaderText, Base64Koi8WordIsDecodedAndConverted) {
    bool flag = false;
    EXPECT_EQ(std::string("Re: ") + kWinPrivet + "!", Decode("Re: =?koi8-r?B?8NLJ18XU?=!", &flag));
    EXPECT_TRUE(flag);
    EXPECT_EQ("\xCF", Decode("=?KOI8-R?Q?=F0?="));  // charset without regard to case
}

TEST(DecodeHeaderText, OtherCharsetsKeepTheirBytes) {
    EXPECT_EQ("\xD0\x9F\xD1\x80", Decode("=?utf-8?B?0J/RgA==?="));
    EXPECT_EQ(kKoiPrivet, Decode("=?windows-1251?B?8NLJ18XU?="));
}

TEST(DecodeHeaderText, QuotedPrintableRules) {
    // Hex digits in either case, "_" a space, a lone "=" dropped.
    EXPECT_EQ("\xCF\xF0 x=Z!", Decode("=?windows-1251?Q?=CF=f0_x=3D=Z!?="));
    EXPECT_EQ("ab", Decode("=?x?Q?ab=?="));
}

TEST(DecodeHeaderText, Base64SkipsForeignBytesAndStopsAtPadding) {
    EXPECT_EQ("ABC", Decode("=?x?B?QU J\r\nD=RA==?="));
}

TEST(DecodeHeaderText, EncodingLettersInEitherCaseAndUnknownOnesKeptAsWritten) {
    EXPECT_EQ("=?x?X?raw_text?=", Decode("=?x?X?raw_text?="));
    EXPECT_EQ("ABC", Decode("=?x?b?QUJD?="));
    EXPECT_EQ(kWinPrivet, Decode("=?koi8-r?b?8NLJ18XU?="));
    EXPECT_EQ(kWinPrivet, Decode("=?koi8-r?q?=F0=D2=C9=D7=C5=D4?="));
}

TEST(DecodeHeaderText, BlanksBetweenWordsGoOtherTextStays) {
    bool flag = false;
    EXPECT_EQ("Re: a and b end", Decode("Re: =?utf-8?Q?a?= and =?utf-8?Q?b?= end", &flag));
    EXPECT_TRUE(flag);
    EXPECT_EQ("ab c", Decode("=?utf-8?Q?a?= \r\n\t=?utf-8?Q?b?= c"));
    EXPECT_EQ("a b", Decode("=?utf-8?Q?a_?=  =?utf-8?Q?b?="));  // a space inside a word stays
}

TEST(DecodeHeaderText, EmptyPayloadStillSetsTheFlag) {
    bool flag = false;
    EXPECT_EQ("a  b", Decode("a =?x?B?\?= b", &flag));
    EXPECT_TRUE(flag);
}

TEST(DecodeHeaderText, IncompleteWordsStayAsWritten) {
    bool flag = false;
    EXPECT_EQ("pre =?koi8-r?B?8NLJ", Decode("pre =?koi8-r?B?8NLJ", &flag));
    EXPECT_FALSE(flag);
    EXPECT_EQ("pre =?koi8-r", Decode("pre =?koi8-r", &flag));
    EXPECT_EQ("pre =?koi8-r?B", Decode("pre =?koi8-r?B", &flag));
    // The end marker is looked for after the second "?".
    EXPECT_EQ("x=?cs?B?=", Decode("x=?cs?B?=", &flag));
    EXPECT_FALSE(flag);
    EXPECT_EQ("ok  =?y?Q?broken", Decode("=?x?Q?ok_?= =?y?Q?broken", &flag));
    EXPECT_TRUE(flag);
}

TEST(DecodeHeaderText, WordsInOtherCharsetsComeOutAsUtf8) {
    EXPECT_EQ("Grüße", Decode("=?iso-8859-1?Q?Gr=FC=DFe?="));
    EXPECT_EQ("Zażółć", Decode("=?ISO-8859-2?q?Za=BF=F3=B3=E6?="));
    EXPECT_EQ("Привет", Decode("=?iso-8859-5?B?v+DY0tXi?="));
    EXPECT_EQ("Привет", Decode("=?cp866?Q?=8F=E0=A8=A2=A5=E2?="));
    EXPECT_EQ("Grüße", Decode("=?iso-8859-1*de?Q?Gr=FC=DFe?="));  // with a language
}

TEST(DecodeHeaderText, MixedEncodingsMakeTheWholeHeaderUtf8) {
    // A KOI8 word, then a UTF-8 word: both read right, as UTF-8.
    EXPECT_EQ("Привет мир", Decode("=?koi8-r?B?8NLJ18XU?= =?utf-8?Q?_=D0=BC=D0=B8=D1=80?="));
    EXPECT_EQ("Приветмир", Decode("=?koi8-r?B?8NLJ18XU?= =?utf-8?B?0LzQuNGA?="));
    // 1251 words alone stay 1251.
    EXPECT_EQ(std::string(kWinPrivet) + " " + kWinPrivet,
              Decode("=?koi8-r?B?8NLJ18XU?= =?windows-1251?Q?_?= =?koi8-r?B?8NLJ18XU?="));
    // Raw UTF-8 around a 1251 word.
    EXPECT_EQ("Ответ: Привет", Decode("Ответ: =?koi8-r?B?8NLJ18XU?="));
}

TEST(DecodeRawHeader, Utf8StaysKoi8IsConvertedOthersByTheirCharset) {
    AStr subject("Grüße aus Köln");
    DecodeRawHeader(subject, AStr());
    EXPECT_EQ(subject, "Grüße aus Köln");
    AStr koi(kKoiPrivet);
    DecodeRawHeader(koi, AStr());
    EXPECT_EQ(koi, kWinPrivet);
    AStr declaredKoi(kKoiPrivet);
    DecodeRawHeader(declaredKoi, AStr("koi8-r"));
    EXPECT_EQ(declaredKoi, kWinPrivet);
    AStr latin(
        "Gr\xFC\xDF"
        "e");
    DecodeRawHeader(latin, AStr("iso-8859-1"));
    EXPECT_EQ(latin, "Grüße");
    AStr win(kWinPrivet);
    DecodeRawHeader(win, AStr("windows-1251"));
    EXPECT_EQ(win, kWinPrivet);
}

TEST(MailCharset, TakesTheLowerCasedNameUpToAQuoteSemicolonOrSpace) {
    AStr charset;
    EXPECT_TRUE(MailCharset("text/plain; charset=\"KOI8-R\"", &charset));
    EXPECT_EQ("koi8-r", charset);
    EXPECT_TRUE(MailCharset("text/plain; Charset=Windows-1251; format=flowed", &charset));
    EXPECT_EQ("windows-1251", charset);
    EXPECT_TRUE(MailCharset("text/plain; charset=us-ascii (plain)", &charset));
    EXPECT_EQ("us-ascii", charset);
    EXPECT_FALSE(MailCharset("text/plain", &charset));
    EXPECT_EQ("us-ascii", charset);  // left alone
    EXPECT_TRUE(MailCharset("text/plain; charset=", &charset));
    EXPECT_EQ("", charset);
}

namespace {
MailTime Parsed(const char* text) {
    MailTime t = 0x7FFFFFFF;
    EXPECT_TRUE(ParseMailDate(text, &t)) << text;
    return t;
}
bool Fails(const char* text) {
    MailTime t = 0;
    return !ParseMailDate(text, &t);
}
constexpr MailTime kMarch5th2002At7Utc = 1015311600;
}  // namespace

TEST(ParseMailDate, NumericZonesGiveUtc) {
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("Tue, 5 Mar 2002 10:00:00 +0300"));
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("5 Mar 2002 05:30:00 -0130"));
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("Tue,5-Mar-2002 12:00:00 +05"));
}

TEST(ParseMailDate, NamedMissingAndForeignZonesLeaveTheTime) {
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("Tue, 05 Mar 2002 07:00:00 GMT"));
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("Tue, 05 Mar 2002 07:00:00 gmt+0300"));
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("05 Mar 2002 07:00:00"));
    EXPECT_EQ(kMarch5th2002At7Utc, Parsed("05 Mar 2002 07:00:00 EST"));
}

TEST(ParseMailDate, TwoDigitYearsBelow1980Are19xx) {
    EXPECT_EQ(-2140437600, Parsed("5 Mar 02 10:00:00"));  // 1902
    EXPECT_EQ(915148800, Parsed("1 Jan 99 00:00:00"));    // 1999
    EXPECT_EQ(315532800, Parsed("1 Jan 1980 00:00:00"));
}

TEST(ParseMailDate, MonthsAreKnownByTheirFirstLetters) {
    const std::pair<const char*, int> months[] = {
        {"Jan", 1},  {"Feb", 2},  {"Fxx", 2},  {"Mar", 3}, {"Mxr", 3}, {"Apr", 4},
        {"Apx", 4},  {"May", 5},  {"Mzz", 5},  {"Jun", 6}, {"Jxn", 6}, {"Jul", 7},
        {"Jux", 7},  {"Aug", 8},  {"Axx", 8},  {"Sep", 9}, {"Sxx", 9}, {"Oct", 10},
        {"Nov", 11}, {"Dec", 12}, {"xyz", 12}, {"jan", 12}};
    for (const auto& m : months) {
        std::string text = std::string("1 ") + m.first + " 2001 00:00:00";
        MailTime t = Parsed(text.c_str());
        static const MailTime kFirsts[12] = {978307200, 980985600,  983404800,  986083200,
                                             988675200, 991353600,  993945600,  996624000,
                                             999302400, 1001894400, 1004572800, 1007164800};
        EXPECT_EQ(kFirsts[m.second - 1], t) << text;
    }
}

TEST(ParseMailDate, MissingFieldsAndImpossibleDatesFail) {
    EXPECT_TRUE(Fails(""));
    EXPECT_TRUE(Fails("Tue, 0 Mar 2002 10:00:00"));
    EXPECT_TRUE(Fails("Tue, Mar 5 2002 10:00:00"));
    EXPECT_TRUE(Fails("5 Mar 2002 10:00"));
    EXPECT_TRUE(Fails("5 Mar 2002"));
    EXPECT_TRUE(Fails("5"));
    EXPECT_TRUE(Fails("31 Feb 2002 10:00:00"));
    EXPECT_TRUE(Fails("5 Mar 2002 24:00:00"));
    EXPECT_TRUE(Fails("99999999999999999999 Mar 2002 10:00:00"));
    EXPECT_FALSE(Fails("29 Feb 2000 10:00:00"));
}

namespace {
using Headers = std::vector<std::pair<std::string, std::string>>;

template <class Iterator>
Headers ReadAll(Iterator& it) {
    Headers h;
    while (it.Next()) h.emplace_back(it.Name().c_str(), it.Value().c_str());
    return h;
}
}  // namespace

TEST(POP3HeaderLineIterator, JoinsFoldedLinesAndSplitsNames) {
    const std::string reply =
        "From: a@b\r\n"
        "SUBJECT:\t part one\r\n"
        "\tpart two\r\n"
        "   three\r\n"
        "X-Empty:\r\n"
        "NoColon\r\n"
        "\r\n"
        "body\r\n";
    CommMemoryPort port(reply.data(), reply.size());
    POP3HeaderLineIterator it(&port);
    EXPECT_EQ((Headers{{"from", "a@b"},
                       {"subject", "part one part two three"},
                       {"x-empty", ""},
                       {"nocolon", ""}}),
              ReadAll(it));
    EXPECT_EQ(0u, it.Error());
    EXPECT_FALSE(it.SawReplyEnd());
    EXPECT_FALSE(it.Next());  // finished: nothing more is read
    char rest[16];
    EXPECT_EQ(0u, port.ReadLine(rest, sizeof rest));
    EXPECT_STREQ("body", rest);
}

TEST(POP3HeaderLineIterator, EndOfReplyLineEndsTheHeaders) {
    const std::string reply = "Date: today\r\n.\r\n";
    CommMemoryPort port(reply.data(), reply.size());
    POP3HeaderLineIterator it(&port);
    EXPECT_EQ((Headers{{"date", "today"}}), ReadAll(it));
    EXPECT_TRUE(it.SawReplyEnd());
}

TEST(POP3HeaderLineIterator, ReadErrorEndsWithTheError) {
    const std::string reply = "A: 1\r\nB: 2";
    CommMemoryPort port(reply.data(), reply.size());
    POP3HeaderLineIterator it(&port);
    EXPECT_FALSE(it.Next());
    EXPECT_EQ(platform::kWsaConnectionReset, it.Error());
}

TEST(HTTPHeaderLineIterator, OneHeaderPerLineWithoutFolding) {
    const std::string reply = "Content-Type:  text/plain\r\n  folded\r\n\r\nX: y\r\n";
    CommMemoryPort port(reply.data(), reply.size());
    HTTPHeaderLineIterator it(&port);
    EXPECT_EQ((Headers{{"content-type", "text/plain"}, {"  folded", ""}}), ReadAll(it));
    EXPECT_EQ(0u, it.Error());
}
