#include <gtest/gtest.h>

#include <string>

#include "html/Charset.h"
#include "html/CharsetDetect.h"
#include "MemoryInput.h"
#include "stream/MemStream.h"

namespace {

std::string Koi(std::string s) {
    KoiToWin(s.data(), &s[0], s.size());
    return s;
}

std::string Dos(std::string s) {
    OemToAnsi(s.data(), &s[0], s.size());
    return s;
}

}  // namespace

TEST(CharsetNames, KnownNamesWithoutRegardToCase) {
    EXPECT_EQ(1, CharsetCode("windows-1251"));
    EXPECT_EQ(kCharsetWestern, CharsetCode("Windows-1252"));
    EXPECT_EQ(3, CharsetCode("KOI8-R"));
    EXPECT_EQ(3, CharsetCode("koi8-u"));
    EXPECT_EQ(2, CharsetCode("IBM866"));
    EXPECT_EQ(4, CharsetCode("iso8859-5"));
    EXPECT_EQ(kCharsetUtf8, CharsetCode("UTF-8"));
    EXPECT_EQ(4, CharsetCode("iso-8859-5"));
    EXPECT_EQ(kCharsetWestern, CharsetCode("iso-8859-1"));
    EXPECT_EQ(kCharsetCentral, CharsetCode("windows-1250"));
    EXPECT_EQ(0, CharsetCode("x-unknown"));
    EXPECT_EQ(0, CharsetCode(""));
    EXPECT_EQ(0, CharsetCode(nullptr));
}

TEST(ContentType, QuotedCharsetAndMediaType) {
    AStr media, name, boundary;
    int code = -7;
    ParseContentType("text/html; charset=\"KOI8-R\"", &media, &code, &name, &boundary);
    EXPECT_EQ(media, "text/html");
    EXPECT_EQ(3, code);
    EXPECT_EQ(name, "KOI8-R");
    EXPECT_TRUE(boundary.IsEmpty());
}

TEST(ContentType, Utf8GivesItsCodeAndKeepsTheName) {
    AStr name;
    int code = 0;
    ParseContentType("text/html;charset=utf-8", nullptr, &code, &name, nullptr);
    EXPECT_EQ(kCharsetUtf8, code);
    EXPECT_EQ(name, "utf-8");
}

TEST(ContentType, SeparatorsBoundaryAndLaterMediaType) {
    AStr media, name, boundary;
    int code = 0;
    ParseContentType(";; multipart/mixed ;  BOUNDARY=\"==xy\"  text/plain; Charset=ibm866;x=y",
                     &media, &code, &name, &boundary);
    EXPECT_EQ(media, "text/plain");
    EXPECT_EQ(boundary, "==xy");
    EXPECT_EQ(2, code);
    EXPECT_EQ(name, "ibm866");
}

TEST(ContentType, EmptyValueResetsOutputs) {
    AStr media("old"), name("old");
    int code = 3;
    ParseContentType("", &media, &code, &name, nullptr);
    EXPECT_TRUE(media.IsEmpty());
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_EQ(0, code);
    ParseContentType(nullptr, nullptr, nullptr, nullptr, nullptr);  // every output omitted
}

TEST(ContentType, UnterminatedQuoteTakesTheRest) {
    AStr name;
    int code = 0;
    ParseContentType("text/html; charset=\"koi8-r", nullptr, &code, &name, nullptr);
    EXPECT_EQ(name, "koi8-r");
    EXPECT_EQ(3, code);
}

TEST(Koi8, ExampleWordAndInPlace) {
    EXPECT_EQ(Koi("\xF0\xD2\xC9\xD7\xC5\xD4"), "\xCF\xF0\xE8\xE2\xE5\xF2");  // Привет
    EXPECT_EQ(Koi("abc <>"), "abc <>");
}

TEST(Koi8, WholeAlphabetAndSpecialRows) {
    // KOI8 small letters in KOI8 order are 1251 "юабцдефгхийклмнопярстужвьызшэщчъ".
    std::string koiSmall, koiCapital;
    for (int b = 0xC0; b <= 0xDF; ++b) koiSmall += static_cast<char>(b);
    for (int b = 0xE0; b <= 0xFF; ++b) koiCapital += static_cast<char>(b);
    const char* small =
        "\xFE\xE0\xE1\xF6\xE4\xE5\xF4\xE3\xF5\xE8\xE9\xEA\xEB\xEC\xED\xEE"
        "\xEF\xFF\xF0\xF1\xF2\xF3\xE6\xE2\xFC\xFB\xE7\xF8\xFD\xF9\xF7\xFA";
    EXPECT_EQ(Koi(koiSmall), small);
    std::string capital = small;
    for (char& c : capital) c = static_cast<char>(static_cast<unsigned char>(c) - 0x20);
    EXPECT_EQ(Koi(koiCapital), capital);
    EXPECT_EQ(0x2D, KoiToWin(0x80));
    EXPECT_EQ(0x2B, KoiToWin(0x8A));
    EXPECT_EQ(0xB8, KoiToWin(0xA3));  // ё
    EXPECT_EQ(0xA8, KoiToWin(0xB3));  // Ё
    EXPECT_EQ(0xA5, KoiToWin(0xB2));  // Ґ
    EXPECT_EQ(0x20, KoiToWin(0xA0));
    EXPECT_EQ(0xA9, KoiToWin(0xBF));
}

TEST(Dos866, LettersAndSpecials) {
    EXPECT_EQ(Dos("\x8F\xE0\xA8\xA2\xA5\xE2"), "\xCF\xF0\xE8\xE2\xE5\xF2");  // Привет
    EXPECT_EQ(Dos("\x80\x9F\xA0\xAF\xE0\xEF"), "\xC0\xDF\xE0\xEF\xF0\xFF");
    EXPECT_EQ(Dos("\xF0\xF1\xFC\xFF"), "\xA8\xB8\xB9\xA0");  // Ё ё № no-break space
    EXPECT_EQ(Dos("\xC4\xB3\xC5\xDA"), "-|+-");              // box drawing
}

TEST(ConvertByCode, OnlyDosAndKoiAreConvertedInTheWorkingCodePage) {
    const std::string koi = "\xF0\xD2\xC9";
    for (int code : {0, 1, 99}) {
        AStr text(koi.c_str());
        ConvertCharset(code, text);
        EXPECT_EQ(text, koi.c_str()) << code;
    }
    AStr text(koi.c_str());
    ConvertCharset(3, text);
    EXPECT_EQ(text, "\xCF\xF0\xE8");
    AStr dos("\x8F\xE0\xA8");
    ConvertCharset(2, dos);
    EXPECT_EQ(dos, "\xCF\xF0\xE8");
}

TEST(LetterWeights, PerEncoding) {
    EXPECT_EQ(255, Weight1251(0xEE));  // о
    EXPECT_EQ(255, Weight1251(0xCE));  // О
    EXPECT_EQ(0, Weight1251(0xFA));    // ъ
    EXPECT_EQ(199, Weight866(0xA0));   // а
    EXPECT_EQ(109, Weight866(0xE0));   // р
    EXPECT_EQ(43, Weight866(0x9F));    // Я
    EXPECT_EQ(0, Weight866(0xB0));
    EXPECT_EQ(255, WeightKoi8(0xCF));  // о in KOI8
    EXPECT_EQ(0, WeightKoi8(0x41));
}

TEST(CharsetGuessTest, WindowsTextIsWindows) {
    CharsetGuess g;
    std::string text = "\xCD\xEE\xE2\xEE\xF1\xF2\xE8 \xE4\xED\xFF \xE8 \xEF\xEE\xE3\xEE\xE4\xE0";
    g.Feed(text.data(), text.size());
    EXPECT_EQ(1, g.Result());
    EXPECT_STREQ("\xCD\xEE\xE2\xEE\xF1\xF2\xE8", g.Sample());
}

TEST(CharsetGuessTest, KoiTextIsKoi) {
    CharsetGuess g;
    // "новости дня и погода" in KOI8.
    std::string text = "\xCE\xCF\xD7\xCF\xD3\xD4\xC9 \xC4\xCE\xD1 \xC9 \xD0\xCF\xC7\xCF\xC4\xC1";
    g.Feed(text.data(), text.size());
    EXPECT_EQ(3, g.Result());
}

TEST(CharsetGuessTest, DosTextIsDos) {
    CharsetGuess g;
    std::string text = "\xAD\xAE\xA2\xAE\xE1\xE2\xA8 \xA4\xAD\xEF \xA8 \xAF\xAE\xA3\xAE\xA4\xA0";
    g.Feed(text.data(), text.size());
    EXPECT_EQ(2, g.Result());
}

TEST(CharsetGuessTest, KoiCapitalisedWordRulesOutWindows) {
    // "Новости" in KOI8: a KOI8 capital then small letters, which in 1251
    // reads as one small letter followed by capitals. The text after it
    // scores higher as 1251, but the opening word rules 1251 out.
    const std::string text = "\xEE\xCF\xD7\xCF\xD3\xD4\xC9 " + std::string(20, '\xEE');
    CharsetGuess g;
    g.Feed(text.data(), text.size());
    EXPECT_GT(g.Score1251(), g.ScoreKoi8());
    EXPECT_EQ(3, g.Result());

    CharsetGuess plain;  // the same scores without the opening word's shape
    const std::string lower = "\xCE\xCF\xD7\xCF\xD3\xD4\xC9 " + std::string(20, '\xEE');
    plain.Feed(lower.data(), lower.size());
    EXPECT_EQ(1, plain.Result());
}

TEST(CharsetGuessTest, SamplingSkipsLineEndsAndStopsAtTheFirstLowByte) {
    CharsetGuess g;
    g.Feed("\r\n\xC0\n\xC1", 5);
    g.Feed("x\xC2", 2);
    EXPECT_STREQ("\xC0\xC1", g.Sample());
    g.Reset();
    g.Feed("\xA0\xC0", 2);  // a no-break space stops sampling too
    EXPECT_STREQ("", g.Sample());
    g.Reset();
    std::string many(40, '\xE0');
    g.Feed(many.data(), many.size());
    EXPECT_EQ(19u, std::string(g.Sample()).size());
}

TEST(CharsetGuessTest, ScoresFollowTheQuarterRule) {
    CharsetGuess g;
    g.Feed("\xC1", 1);  // 1251 Б (35 -> 26), KOI8 small а (199)
    EXPECT_EQ(26, g.Score1251());
    EXPECT_EQ(199, g.ScoreKoi8());
    EXPECT_EQ(0, g.Score866());
    g.Reset();
    g.Feed("\xE0\xA9\xA0", 3);  // 1251 а; 866 р, й; 169 and 160 ignored
    EXPECT_EQ(199, g.Score1251());
    EXPECT_EQ(9, g.ScoreKoi8());  // KOI8 capital Ю, 12 * 3 / 4
    EXPECT_EQ(109, g.Score866());
}

TEST(DetectCharsetTest, StreamIsRewoundAndEmptyStreamIsText) {
    MemoryInput empty("");
    int code = 9;
    EXPECT_TRUE(DetectCharset(empty, &code, 3));
    EXPECT_EQ(0, code);

    std::string koi;
    for (int i = 0; i < 20; ++i) koi += "\xCE\xCF\xD7\xCF\xD3\xD4\xC9 \xC4\xCE\xD1 ";
    MemoryInput in("xx" + koi);
    char skip[2];
    in.Read(skip, 2);
    EXPECT_TRUE(DetectCharset(in, &code, 3));
    EXPECT_EQ(3, code);
    EXPECT_EQ(2, in.Tell());
}

TEST(DetectCharsetTest, ControlBytesMeanNotText) {
    int code = 0;
    std::string binary(100, 'a');
    for (int i = 0; i < 10; ++i) binary[i * 10] = '\x01';
    MemoryInput in(binary);
    EXPECT_FALSE(DetectCharset(in, &code, 3));
    // One end-of-file byte is forgiven, two or more count double.
    std::string dosFile = std::string(100, 'a') + "\x1A";
    MemoryInput one(dosFile);
    EXPECT_TRUE(DetectCharset(one, &code, 0));
    MemoryInput two(std::string(100, 'a') + "\x1A\x1A");
    EXPECT_FALSE(DetectCharset(two, &code, 1));  // 2 of 102 bytes: 2 percent
}

TEST(DetectCharsetTest, WindowsAndBoxDrawing) {
    int code = 0;
    std::string win;
    for (int i = 0; i < 20; ++i) win += "\xED\xEE\xE2\xEE\xF1\xF2\xE8 \xE4\xED\xFF ";
    MemoryInput in(win);
    DetectCharset(in, &code, 3);
    EXPECT_EQ(1, code);
    // 866 box drawing lines: repeats of 0xC4 and 0xCD.
    std::string box =
        std::string(200, 'a') + std::string(10, '\xC4') + "\n" + std::string(200, 'b');
    MemoryInput lines(box);
    DetectCharset(lines, &code, 3);
    EXPECT_EQ(2, code);
}

TEST(CharsetConversion, OnlyEncodingsOutsideTheCyrillicOnesGoToUtf8) {
    for (int code : {0, 1, 2, 3}) EXPECT_FALSE(CarriedAsUtf8(code)) << code;
    for (int code = 4; code < kCharsetCodeCount; ++code) EXPECT_TRUE(CarriedAsUtf8(code)) << code;
    EXPECT_FALSE(CarriedAsUtf8(kCharsetCodeCount));
    EXPECT_FALSE(CarriedAsUtf8(-1));

    std::string out;
    EXPECT_TRUE(CharsetToUtf8(kCharsetWestern, "\x80\xE9", 2, &out));
    EXPECT_EQ("€é", out);
    out.clear();
    EXPECT_TRUE(CharsetToUtf8(kCharsetIso, "\xB0", 1, &out));  // ISO-8859-5 А
    EXPECT_EQ("А", out);
    out.clear();
    EXPECT_FALSE(CharsetToUtf8(kCharsetKoi8, "\xC1", 1, &out));
    EXPECT_TRUE(out.empty());

    // Strings (titles) go the same way; the Cyrillic codes keep 1251.
    AStr title("Caf\xE9");
    ConvertCharset(kCharsetWestern, title);
    EXPECT_EQ(title, "Café");
    AStr koi("\xF0\xD2\xC9\xD7\xC5\xD4");
    ConvertCharset(kCharsetKoi8, koi);
    EXPECT_EQ(koi, "\xCF\xF0\xE8\xE2\xE5\xF2");
}
