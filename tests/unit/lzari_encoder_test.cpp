// The build-time LZARI encoder: its streams must expand with the program's
// decoder and with an independently written classic decoder.
#include "lzari_encoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "i18n/lzari_decoder.h"
#include "lzari_reference.h"
#include "lzari_sample_text.h"
#include "lzari_test_support.h"

namespace {

using lzari_reference::ClassicLzari;
using lzari_test::SameBytes;

std::vector<uint8_t> Encode(const std::vector<uint8_t>& data) {
    return LzariEncode(data.data(), data.size());
}

std::vector<uint8_t> Repeat(const std::string& phrase, size_t size) {
    std::vector<uint8_t> out;
    while (out.size() < size) out.push_back(static_cast<uint8_t>(phrase[out.size() % phrase.size()]));
    return out;
}

struct Sample {
    const char* name;
    std::vector<uint8_t> data;
};

std::vector<Sample> Samples() {
    std::vector<uint8_t> allValues;
    for (int round = 0; round < 3; ++round) {
        for (int v = 0; v < 256; ++v) allValues.push_back(static_cast<uint8_t>(v));
    }
    std::vector<uint8_t> repeatedRandom = lzari_sample::RandomBytes(4096, 5);
    repeatedRandom.insert(repeatedRandom.end(), repeatedRandom.begin(), repeatedRandom.end());
    std::vector<uint8_t> leadingSpaces(100, ' ');
    leadingSpaces.push_back('!');
    leadingSpaces.insert(leadingSpaces.end(), 4000, ' ');
    return {
        {"one byte", {0x7F}},
        {"two bytes", {0x20, 0x20}},
        {"4036 random bytes", lzari_sample::RandomBytes(4036, 11)},
        {"4097 random bytes", lzari_sample::RandomBytes(4097, 12)},
        {"100000 random bytes", lzari_sample::RandomBytes(100000, 13)},
        {"random block repeated 4096 bytes later", repeatedRandom},
        {"every byte value", allValues},
        {"spaces like the initial ring", leadingSpaces},
        {"zeros", std::vector<uint8_t>(100000, 0)},
        {"repeated phrase", Repeat("the quick brown fox jumps over the lazy dog. ", 100000)},
        {"4097 bytes of text", lzari_sample::Utf16ArchiveText(4097)},
        {"utf-16 archive text", lzari_sample::Utf16ArchiveText(52028)},
    };
}

TEST(LzariEncoderTest, HeaderHoldsTheLengthLittleEndian) {
    EXPECT_TRUE(SameBytes({0, 0, 0, 0}, Encode({})));
    const std::vector<uint8_t> stream = Encode(lzari_sample::RandomBytes(0x010203, 4));
    ASSERT_GE(stream.size(), 4u);
    EXPECT_TRUE(SameBytes({0x03, 0x02, 0x01, 0x00}, {stream.begin(), stream.begin() + 4}));
}

TEST(LzariEncoderTest, StreamsDecodeWithTheProgramsDecoder) {
    for (const Sample& sample : Samples()) {
        const std::vector<uint8_t> stream = Encode(sample.data);
        std::vector<uint8_t> out;
        ASSERT_TRUE(LzariDecode(stream.data(), stream.size(), out)) << sample.name;
        EXPECT_TRUE(SameBytes(sample.data, out)) << sample.name;
    }
}

TEST(LzariEncoderTest, StreamsDecodeWithTheIndependentDecoder) {
    for (const Sample& sample : Samples()) {
        const std::vector<uint8_t> stream = Encode(sample.data);
        EXPECT_TRUE(SameBytes(sample.data, std::make_unique<ClassicLzari>()->Decode(stream)))
            << sample.name;
    }
}

TEST(LzariEncoderTest, StreamsSurviveTheArchiveFiller) {
    // The archive block carries spaces after the stream; the decoder reads into them.
    const std::vector<uint8_t> data = lzari_sample::Utf16ArchiveText(10000);
    std::vector<uint8_t> block = Encode(data);
    block.insert(block.end(), 1000, ' ');
    std::vector<uint8_t> out;
    ASSERT_TRUE(LzariDecode(block.data(), block.size(), out));
    EXPECT_TRUE(SameBytes(data, out));
}

TEST(LzariEncoderTest, RepeatedTextIsCodedAsMatches) {
    // Literals alone cost about 4 bits a byte here; 60-byte matches cost about 10
    // bits each, so a working match finder lands far below a tenth of the input.
    const std::vector<uint8_t> data = Repeat("the quick brown fox jumps over the lazy dog. ", 100000);
    const size_t size = Encode(data).size();
    EXPECT_LT(size, data.size() / 20) << "stream of " << size << " bytes for " << data.size();
}

TEST(LzariEncoderTest, CompressesAsWellAsTheClassicEncoder) {
    // Same format, same greedy parse rule: the sizes must stay close.
    for (const Sample& sample : Samples()) {
        const size_t ours = Encode(sample.data).size();
        const size_t classic = std::make_unique<ClassicLzari>()->Encode(sample.data).size();
        EXPECT_LE(ours, classic + classic / 50 + 2)
            << sample.name << ": ours " << ours << " bytes, classic " << classic;
    }
}

}  // namespace
