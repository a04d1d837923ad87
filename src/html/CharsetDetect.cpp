#include "html/CharsetDetect.h"

#include <cstring>

#include "framework/Cp1251.h"
#include "html/Charset.h"
#include "stream/WStream.h"

namespace {

// One per letter of the Russian alphabet without ё, а to я.
const unsigned char kLetterWeights[32] = {
    199, 35,  108, 44, 64, 187, 20, 40, 157, 27, 84, 121, 69, 147, 255, 65,
    109, 116, 138, 69, 4,  18,  7,  36, 20,  8,  0,  39,  40, 7,   12,  43,
};

bool Is866Letter(unsigned char b) {
    return (b >= 128 && b <= 175) || (b >= 224 && b <= 239);
}

// Rounded x * 3 / 4.
int ThreeQuarters(int x) {
    return (x * 3 + 2) / 4;
}

// x * 100 / n rounded to nearest, -1 for n = 0 (as the platform's MulDiv).
long Percent(long x, long n) {
    if (n == 0) return -1;
    return (x * 200 + n) / (2 * n);
}

// True when `upper` (the upper-cased sample) differs from `sample` in its
// first byte only: a small letter followed only by capitals.
bool SmallThenCapitals(const char* sample, const char* upper, size_t n) {
    if (sample[0] == upper[0]) return false;
    return std::memcmp(sample + 1, upper + 1, n - 1) == 0;
}

unsigned char KoiUpper(unsigned char b) {
    if (b >= 0xC0 && b <= 0xDF) return static_cast<unsigned char>(b + 32);
    if (b >= 'a' && b <= 'z') return static_cast<unsigned char>(b - 32);
    switch (b) {
        case 0xA3:
        case 0xA4:
        case 0xA6:
        case 0xA7:
            return static_cast<unsigned char>(b + 0x10);
        case 0xB1:
            return 0xB2;
        case 0xBD:
            return 0xBC;
        default:
            return b;
    }
}

}  // namespace

int Weight1251(unsigned char b) {
    return b >= 0xC0 ? kLetterWeights[b & 31] : 0;
}

int Weight866(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kLetterWeights[b - 0x80];
    if (b >= 0xA0 && b <= 0xAF) return kLetterWeights[b - 0xA0];
    if (b >= 0xE0 && b <= 0xEF) return kLetterWeights[b - 0xE0 + 16];
    return 0;
}

int WeightKoi8(unsigned char b) {
    return Weight1251(KoiToWin(b));
}

void CharsetGuess::Reset() {
    score1251_ = score866_ = scoreKoi8_ = 0;
    std::memset(sample_, 0, sizeof sample_);
    sampleCount_ = 0;
}

void CharsetGuess::Feed(const char* bytes, size_t length) {
    for (size_t i = 0; i < length && sampleCount_ < kSampleMax; ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r' || b == '\n') continue;
        if (b >= 128 && b != 160)
            sample_[sampleCount_++] = static_cast<char>(b);
        else
            sampleCount_ = kSamplingStopped;
    }
    for (size_t i = 0; i < length; ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 128 || b == 160 || b == 169) continue;
        if (Is866Letter(b)) score866_ += Weight866(b);
        if (b >= 192) {
            if (b < 224) {
                score1251_ += ThreeQuarters(Weight1251(b));
                scoreKoi8_ += WeightKoi8(b);
            } else {
                score1251_ += Weight1251(b);
                scoreKoi8_ += ThreeQuarters(WeightKoi8(b));
            }
        }
    }
}

int CharsetGuess::Result() const {
    int s1251 = score1251_, s866 = score866_, sKoi8 = scoreKoi8_;
    size_t n = std::strlen(sample_);
    if (n > 2) {
        char upper[sizeof sample_];
        for (size_t i = 0; i < n; ++i)
            upper[i] = static_cast<char>(KoiUpper(static_cast<unsigned char>(sample_[i])));
        if (SmallThenCapitals(sample_, upper, n)) sKoi8 = -1;

        for (size_t i = 0; i < n; ++i)
            upper[i] = static_cast<char>(cp1251::ToUpper(static_cast<unsigned char>(sample_[i])));
        if (SmallThenCapitals(sample_, upper, n)) s1251 = -1;

        char dos[sizeof sample_];
        OemToAnsi(sample_, dos, n);
        for (size_t i = 0; i < n; ++i)
            upper[i] = static_cast<char>(cp1251::ToUpper(static_cast<unsigned char>(dos[i])));
        if (SmallThenCapitals(dos, upper, n)) s866 = -1;
    }
    if (s866 <= s1251) return sKoi8 > s1251 ? kCharsetKoi8 : kCharsetWindows;
    return sKoi8 > s866 ? kCharsetKoi8 : kCharsetDos;
}

bool DetectCharset(iwstream& in, int* code, int controlLimit) {
    long start = in.Tell();
    long n = 0, control = 0, eofBytes = 0, high = 0, letters866 = 0, repeats = 0;
    long s1251 = 0, s866 = 0, sKoi8 = 0;
    int previous = -1;
    unsigned char b;
    while (n < 1536 && in.Read(&b, 1) == 1) {
        ++n;
        if (b == 26)
            ++eofBytes;
        else if (b < 32 && !(b >= 9 && b <= 13))
            ++control;
        if (b >= 192) {
            ++high;
            s1251 += Weight1251(b);
            sKoi8 += WeightKoi8(b);
        }
        if (Is866Letter(b)) {
            ++letters866;
            s866 += Weight866(b);
        }
        if (b == previous && b >= 176 && b <= 223) ++repeats;
        previous = b;
    }

    letters866 += repeats * 7 / 4;
    const long highPct = Percent(high, n), pct866 = Percent(letters866, n);
    int result = kCharsetUnknown;
    if (highPct > 3 && high > letters866 * 11 / 10) {
        result = s1251 > sKoi8 ? kCharsetWindows : kCharsetKoi8;
    } else if (pct866 > 2 && (letters866 > high * 11 / 10 || (s866 > s1251 && s866 > sKoi8))) {
        result = kCharsetDos;
    } else if (highPct > 2) {
        if (s1251 > sKoi8 && (pct866 <= 2 || s1251 > s866))
            result = kCharsetWindows;
        else if (sKoi8 > s1251 && (pct866 <= 2 || sKoi8 > s866))
            result = kCharsetKoi8;
    } else if (Percent(repeats, n) >= 1) {
        result = kCharsetDos;
    }
    if (code) *code = result;

    if (start >= 0) in.Seek(start, 0);
    if (eofBytes >= 2) control += eofBytes;
    return Percent(control, n) <= controlLimit;
}
