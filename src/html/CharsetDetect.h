#pragma once
// Guessing the Cyrillic encoding of text that nobody declared: 1251, 866 or
// KOI8, by how often the bytes read as common Russian letters in each.
#include <cstddef>
#include <cstdint>

class iwstream;

// Letter weights of one byte read in each encoding (0 when the byte is not
// a letter there).
int Weight1251(unsigned char b);
int Weight866(unsigned char b);
int WeightKoi8(unsigned char b);

// The incremental detector the document builder feeds with page text.
class CharsetGuess {
  public:
    CharsetGuess() { Reset(); }
    void Reset();
    void Feed(const char* bytes, size_t length);
    // 1 (Windows), 2 (DOS 866) or 3 (KOI8).
    int Result() const;

    int Score1251() const { return score1251_; }
    int Score866() const { return score866_; }
    int ScoreKoi8() const { return scoreKoi8_; }
    // The high bytes that open the text (at most 19), zero-terminated.
    const char* Sample() const { return sample_; }

  private:
    static constexpr uint32_t kSampleMax = 19;
    static constexpr uint32_t kSamplingStopped = 120;
    int score1251_;
    int score866_;
    int scoreKoi8_;
    char sample_[20];
    uint32_t sampleCount_;
};

// Reads up to 1536 bytes from the stream's position, sets `code` (0 to 3)
// and seeks back. Returns whether the data looks like text: control bytes
// at most `controlLimit` percent of what was read.
bool DetectCharset(iwstream& in, int* code, int controlLimit);
