#include <gtest/gtest.h>

#include <string>

#include "stream/BinIo.h"
#include "stream/FileStream.h"
#include "stream/MemStream.h"
#include "stream/TextStream.h"
#include "support/TempDir.h"

namespace {

std::string Bytes(const omwstream& s) {
    return std::string(s.Data(), s.Size());
}

// A buffer over a string that counts how often the medium is touched.
class CountingBuf : public wstreambuf {
  public:
    explicit CountingBuf(std::string data) : data_(std::move(data)) {}
    long Read(void* bytes, long count) override {
        ++reads;
        long n = std::min<long>(count, static_cast<long>(data_.size()) - pos_);
        if (n < 0) return -1;
        data_.copy(static_cast<char*>(bytes), n, pos_);
        pos_ += n;
        return n;
    }
    long Write(const void*, long) override { return -1; }
    long Seek(long offset, int origin) override {
        ++seeks;
        long base = origin == 0 ? 0 : origin == 1 ? pos_ : static_cast<long>(data_.size());
        pos_ = base + offset;
        return pos_;
    }
    int reads = 0, seeks = 0;

  private:
    std::string data_;
    long pos_ = 0;
};

class CountingStream : public ibwstream {
  public:
    explicit CountingStream(CountingBuf* b) : ibwstream(16) { Attach(b); }
};

}  // namespace

TEST(StringEncoding, LongStringsAreCutTo65534Bytes) {
    omwstream out;
    std::string big(70000, 'x');
    big[65533] = 'y';
    ASSERT_EQ(0, WriteString(out, big.c_str()));
    ASSERT_EQ(2 + 65534, out.Size());
    EXPECT_EQ('\xFE', out.Data()[0]);
    EXPECT_EQ('\xFF', out.Data()[1]);
    imwstream in(out.Data(), out.Size());
    AStr back;
    ASSERT_EQ(0, ReadString(in, back));
    EXPECT_EQ(65534u, back.Length());
    EXPECT_EQ('y', back.c_str()[65533]);
}

TEST(StringEncoding, EmptyStringIsTwoZeroBytes) {
    omwstream out;
    WriteString(out, AStr());
    EXPECT_EQ(std::string("\0\0", 2), Bytes(out));
}

TEST(StringEncoding, TruncatedInputLeavesTheStringEmpty) {
    const char cutInLength[] = {5};
    imwstream in(cutInLength, 1);
    AStr s("previous");
    EXPECT_EQ(-1, ReadString(in, s));
    EXPECT_TRUE(s.IsEmpty());

    const char cutInBytes[] = {5, 0, 'a', 'b'};
    imwstream in2(cutInBytes, 4);
    EXPECT_EQ(-1, ReadString(in2, s));
}

TEST(BinaryEncoding, IntegersAreLittleEndianInTheirWidth) {
    omwstream out;
    WriteU8(out, 0x01);
    WriteU16(out, 0x0302);
    WriteU32(out, 0x07060504);
    WriteI16(out, -1);
    WriteU64(out, 0x0F0E0D0C0B0A0908ULL);
    EXPECT_EQ(
        std::string("\x01\x02\x03\x04\x05\x06\x07\xFF\xFF\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F", 17),
        Bytes(out));
    imwstream in(out.Data(), out.Size());
    uint8_t a;
    uint16_t b;
    uint32_t c;
    int16_t d;
    uint64_t e;
    ASSERT_EQ(0, ReadU8(in, &a));
    ASSERT_EQ(0, ReadU16(in, &b));
    ASSERT_EQ(0, ReadU32(in, &c));
    ASSERT_EQ(0, ReadI16(in, &d));
    ASSERT_EQ(0, ReadU64(in, &e));
    EXPECT_EQ(0x07060504u, c);
    EXPECT_EQ(-1, d);
    EXPECT_EQ(0x0F0E0D0C0B0A0908ULL, e);
    EXPECT_EQ(-1, ReadU8(in, &a));
    EXPECT_TRUE(in.IsEnd());
}

TEST(TextInput, FourLineEndFormsEachEndOneLine) {
    const char text[] = "a\r\nb\n\rc\rd";
    imwstream in(text, 9);
    char line[16];
    std::vector<std::string> lines;
    while (in.GetLine(line, sizeof line)) lines.push_back(line);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), lines);
}

TEST(TextInput, GetLineCutsAtCapacityAndEmptyLinesCount) {
    const char text[] = "abcdef\n\nz";
    imwstream in(text, 9);
    char line[4];
    long n;
    ASSERT_TRUE(in.GetLine(line, sizeof line, &n));
    EXPECT_STREQ("abc", line);
    EXPECT_EQ(3, n);
    ASSERT_TRUE(in.GetLine(line, sizeof line));
    EXPECT_STREQ("def", line);
    ASSERT_TRUE(in.GetLine(line, sizeof line));  // the line end left after the cut
    EXPECT_STREQ("", line);
    ASSERT_TRUE(in.GetLine(line, sizeof line));  // the empty line
    EXPECT_STREQ("", line);
    ASSERT_TRUE(in.GetLine(line, sizeof line));
    EXPECT_STREQ("z", line);
    EXPECT_FALSE(in.GetLine(line, sizeof line));
}

TEST(BufferedInput, SeekInsideTheBlockDoesNotTouchTheMedium) {
    CountingBuf buf("0123456789abcdefghij");
    CountingStream in(&buf);
    char c[4] = {};
    ASSERT_EQ(4, in.Read(c, 4));
    EXPECT_EQ(1, buf.reads);
    EXPECT_EQ(1, in.Seek(1, 0));
    EXPECT_EQ(6, in.Seek(5, 1));
    EXPECT_EQ(6, in.Tell());
    EXPECT_EQ(0, buf.seeks);
    ASSERT_EQ(2, in.Read(c, 2));
    EXPECT_EQ('6', c[0]);
    EXPECT_EQ(1, buf.reads);
    // Outside the block: the block is dropped and the medium sought.
    EXPECT_EQ(18, in.Seek(18, 0));
    EXPECT_EQ(1, buf.seeks);
    ASSERT_EQ(2, in.Read(c, 4));
    EXPECT_EQ('i', c[0]);
    EXPECT_TRUE(in.IsEnd());
    EXPECT_FALSE(in.IsError());
}

TEST(BufferedInput, GetByteServesTheBlockAndRefills) {
    CountingBuf buf(std::string(20, 'a') + "Z");
    CountingStream in(&buf);
    std::string got;
    for (int c; (c = in.GetByte()) >= 0;) got += static_cast<char>(c);
    EXPECT_EQ(std::string(20, 'a') + "Z", got);
    EXPECT_EQ(3, buf.reads);  // 16 + 5 + the empty read that ends the data
    EXPECT_TRUE(in.IsEnd());
    EXPECT_FALSE(in.IsError());
}

TEST(BufferedInput, ReadDirectHandsOutTheBlockFirst) {
    CountingBuf buf(std::string(40, 'a') + "XYZ");
    CountingStream in(&buf);
    char c[64];
    ASSERT_EQ(10, in.Read(c, 10));  // block holds 16
    ASSERT_EQ(33, in.ReadDirect(c, 50));
    EXPECT_EQ('Z', c[32]);
    EXPECT_TRUE(in.IsEnd());
    EXPECT_EQ(43, in.Tell());
}

TEST(MemoryStreams, GrowthRules) {
    omwstream third;  // step 0xFFFFFFFF
    EXPECT_EQ(1u, third.Capacity());
    std::string chunk(300, 'q');
    ASSERT_EQ(300, third.Write(chunk.data(), 300));
    EXPECT_EQ(400u, third.Capacity());

    omwstream stepped(128);
    stepped.Write(chunk.data(), 300);
    EXPECT_EQ(384u, stepped.Capacity());

    omwstream exact(0);
    exact.Write(chunk.data(), 300);
    EXPECT_EQ(300u, exact.Capacity());
    exact.Seek(10, 0);
    exact.Write("AB", 2);
    EXPECT_EQ(300, exact.Size());
    EXPECT_EQ('A', exact.Data()[10]);

    omwstream empty;
    EXPECT_TRUE(empty.CopyContents().empty());
}

TEST(MemoryStreams, PositionBeyondTheEndFailsAndFixedBlocksStop) {
    char block[4] = {'a', 'b', 'c', 'd'};
    imwstream in(block, 4);
    EXPECT_EQ(10, in.Seek(10, 0));
    char c;
    EXPECT_EQ(-1, in.Read(&c, 1));
    EXPECT_TRUE(in.IsError());

    mwstreambuf fixed(block, 4);
    fixed.Seek(2, 0);
    EXPECT_EQ(2, fixed.Write("XYZ", 3));
    EXPECT_EQ('Y', block[3]);
}

TEST(FileStreams, WriteReadAndStates) {
    TempDir dir;
    std::string path = dir.File("data.bin");
    {
        ofwstream out(path.c_str());
        ASSERT_TRUE(out.IsGood());
        std::string big(1500, 'z');
        out.Write(big.data(), 1500);
        out.WriteLine("tail");
        EXPECT_EQ(1506, out.Tell());
        // Seek back into the current block and patch it.
        out.Seek(1500, 0);
        out.WriteText("TAIL");
        ASSERT_TRUE(out.Close());
    }
    EXPECT_EQ(std::string(1500, 'z') + "TAIL\r\n", TempDir::Read(path));

    ifwstream in(path.c_str(), true);
    ASSERT_TRUE(in.IsGood());
    char buf[2000];
    EXPECT_EQ(1506, in.Read(buf, 2000));
    EXPECT_TRUE(in.IsEnd());
    EXPECT_EQ(0, in.Seek(0, 0));
    EXPECT_FALSE(in.IsEnd());

    ifwstream missing(dir.File("nope").c_str());
    EXPECT_EQ(wstream::kBad, missing.State());
    EXPECT_EQ(2u, missing.OpenError());
    EXPECT_EQ(-1, missing.Read(buf, 1));

    ofwstream exclusive(path.c_str(), platform::WriteMode::kCreateNew);  // it exists
    EXPECT_TRUE(exclusive.IsError());
}

TEST(TextOutput, NumbersAsText) {
    TempDir dir;
    std::string path = dir.File("t.txt");
    {
        otfwstream out(path.c_str());
        out << "n=";
        out.WriteNumber(-42);
        out << " ";
        out.WriteNumber(-1, 16);
        out << " ";
        out.WriteUnsigned(255, 2);
        out.WriteNewLine();
    }
    EXPECT_EQ("n=-42 ffffffff 11111111\r\n", TempDir::Read(path));
}
