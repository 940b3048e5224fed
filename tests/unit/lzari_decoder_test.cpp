// LzariDecoder: the stream's edge cases, and streams from an independently
// written classic encoder.
#include "i18n/lzari_decoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lzari_reference.h"
#include "lzari_sample_text.h"
#include "lzari_test_support.h"

namespace {

using lzari_reference::ClassicLzari;
using lzari_test::DecodeWithCapacity;
using lzari_test::SameBytes;

constexpr int kMatchCodeBase = 253;  // code = 253 + match length

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> ReferenceEncode(const std::vector<uint8_t>& data) {
    return std::make_unique<ClassicLzari>()->Encode(data);
}

// A stream "a" followed by a 60-byte match of the byte just written (position 0).
std::vector<uint8_t> OneLiteralThenLongMatch(uint32_t declaredLength) {
    auto coder = std::make_unique<ClassicLzari>();
    coder->BeginStream(declaredLength);
    coder->EncodeChar('a');
    coder->EncodeChar(kMatchCodeBase + 60);
    coder->EncodePosition(0);
    return coder->EncodeEnd();
}

TEST(LzariDecoderTest, BlockShorterThanHeaderFailsWithoutTouchingOutput) {
    for (size_t size = 0; size < 4; ++size) {
        // Exactly `size` bytes on the heap, so a sanitizer sees any read past them.
        const std::vector<uint8_t> block(size, 0x01);
        LzariDecoder decoder;
        const auto result = DecodeWithCapacity(decoder, block, 16);
        EXPECT_FALSE(result.ok) << "block of " << size << " bytes";
        EXPECT_EQ(0u, decoder.DeclaredLength()) << "block of " << size << " bytes";
        EXPECT_TRUE(SameBytes(result.Expected({}), result.buffer)) << "block of " << size;

        std::vector<uint8_t> out{1, 2, 3};
        EXPECT_FALSE(LzariDecode(block.data(), block.size(), out)) << "block of " << size;
        EXPECT_TRUE(out.empty()) << "block of " << size;
    }
    LzariDecoder decoder;
    uint8_t output[4];
    EXPECT_FALSE(decoder.DecodeFromMemory(nullptr, 8, output, sizeof output));
}

TEST(LzariDecoderTest, ZeroLengthWritesNothingAndReadsNoBitBeyondTheHeader) {
    const std::vector<uint8_t> data = Bytes("read me after an empty stream");
    const std::vector<uint8_t> stream = ReferenceEncode(data);

    LzariDecoder decoder;
    const auto empty = DecodeWithCapacity(decoder, {0, 0, 0, 0, 0x5A, 0xA5}, 16);
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(0u, decoder.DeclaredLength());
    EXPECT_TRUE(SameBytes(empty.Expected({}), empty.buffer));
    // The bit reader keeps its byte between decodes: had the empty stream fetched
    // 0x5A, this decode would start with its remaining bits and go wrong.
    const auto next = DecodeWithCapacity(decoder, stream, data.size() + 1);
    EXPECT_TRUE(SameBytes(next.Expected(data), next.buffer));
}

TEST(LzariDecoderTest, BitsPastTheEndReadAsOnes) {
    // With every bit 1 the code register sits at the top of the interval, which
    // always selects symbol 1: at model start that is code 0, and it stays first.
    for (const std::vector<uint8_t>& block : {std::vector<uint8_t>{5, 0, 0, 0},
                                              std::vector<uint8_t>{5, 0, 0, 0, 0xFF, 0xFF}}) {
        const auto result = DecodeWithCapacity(block, 6);
        EXPECT_TRUE(SameBytes(result.Expected({0, 0, 0, 0, 0}), result.buffer))
            << "block of " << block.size() << " bytes";
    }
}

TEST(LzariDecoderTest, TruncatedBlockDecodesLikeOnePadded) {
    const std::vector<uint8_t> data = lzari_sample::Utf16ArchiveText(3000);
    const std::vector<uint8_t> stream = ReferenceEncode(data);
    for (size_t cut = 4; cut <= stream.size(); ++cut) {
        std::vector<uint8_t> truncated(stream.begin(), stream.begin() + cut);
        std::vector<uint8_t> padded = truncated;
        padded.insert(padded.end(), 8, 0xFF);
        const auto fromTruncated = DecodeWithCapacity(truncated, data.size() + 1);
        const auto fromPadded = DecodeWithCapacity(padded, data.size() + 1);
        ASSERT_TRUE(SameBytes(fromPadded.buffer, fromTruncated.buffer)) << "cut at " << cut;
    }
}

TEST(LzariDecoderTest, StreamEndsCorrectlyWhateverFollowsTheFinalFlush) {
    const std::vector<uint8_t> data = lzari_sample::Utf16ArchiveText(5000);
    const std::vector<uint8_t> stream = ReferenceEncode(data);
    for (uint8_t filler : {0x00, 0x20, 0xFF}) {
        std::vector<uint8_t> block = stream;
        block.insert(block.end(), 300, filler);
        const auto result = DecodeWithCapacity(block, data.size() + 1);
        EXPECT_TRUE(SameBytes(result.Expected(data), result.buffer)) << "filler " << int{filler};
    }
}

TEST(LzariDecoderTest, CapacityStoresAtMostOneLessThanItsSize) {
    const std::vector<uint8_t> data = Bytes("Helligkeit 100%, Rot 50%, Gruen 50%, Blau 50%");
    const std::vector<uint8_t> stream = ReferenceEncode(data);
    const size_t n = data.size();
    struct Case {
        size_t capacity;
        size_t stored;
    } const cases[] = {{0, 0}, {1, 0}, {2, 1}, {n, n - 1}, {n + 1, n}, {n + 40, n}};
    for (const Case& c : cases) {
        const auto result = DecodeWithCapacity(stream, c.capacity);
        const std::vector<uint8_t> stored(data.begin(), data.begin() + c.stored);
        EXPECT_TRUE(result.ok);
        EXPECT_TRUE(SameBytes(result.Expected(stored), result.buffer)) << "capacity " << c.capacity;
    }
}

TEST(LzariDecoderTest, DecodingRunsToTheEndWhenNothingCanBeStored) {
    const std::vector<uint8_t> first = ReferenceEncode(lzari_sample::Utf16ArchiveText(2001));
    const std::vector<uint8_t> probeData = Bytes("probe of the bit reader's leftover state");
    const std::vector<uint8_t> probe = ReferenceEncode(probeData);
    // The bit reader's byte outlives a decode, so a following decode shows how far
    // the first one read.
    auto probeAfter = [&](const std::vector<uint8_t>& block, size_t capacity) {
        LzariDecoder decoder;
        DecodeWithCapacity(decoder, block, capacity);
        return DecodeWithCapacity(decoder, probe, probeData.size() + 1).buffer;
    };
    const std::vector<uint8_t> afterFullDecode = probeAfter(first, 5000);
    std::vector<uint8_t> cutShort = first;
    cutShort[0] = 100;  // declares far fewer bytes: stops reading early
    cutShort[1] = 0;
    ASSERT_FALSE(SameBytes(afterFullDecode, probeAfter(cutShort, 5000)))
        << "precondition: stopping early must leave a different bit reader state";
    for (size_t capacity : {0, 1}) {
        EXPECT_TRUE(SameBytes(afterFullDecode, probeAfter(first, capacity))) << "capacity " << capacity;
        const auto stored = DecodeWithCapacity(first, capacity);
        EXPECT_TRUE(SameBytes(stored.Expected({}), stored.buffer)) << "capacity " << capacity;
    }
}

TEST(LzariDecoderTest, MatchPastTheDeclaredLengthIsCopiedWholeWithinCapacity) {
    const std::vector<uint8_t> a61(61, 'a');
    struct Case {
        uint32_t declared;
        size_t capacity;
        size_t stored;
    } const cases[] = {{1, 100, 1}, {2, 100, 61}, {5, 100, 61}, {61, 100, 61}, {5, 30, 29}};
    for (const Case& c : cases) {
        const auto result = DecodeWithCapacity(OneLiteralThenLongMatch(c.declared), c.capacity);
        const std::vector<uint8_t> stored(a61.begin(), a61.begin() + c.stored);
        EXPECT_TRUE(SameBytes(result.Expected(stored), result.buffer))
            << "declared " << c.declared << ", capacity " << c.capacity;
    }
    // The convenience call returns the declared bytes only.
    const std::vector<uint8_t> block = OneLiteralThenLongMatch(5);
    std::vector<uint8_t> out;
    ASSERT_TRUE(LzariDecode(block.data(), block.size(), out));
    EXPECT_TRUE(SameBytes(std::vector<uint8_t>(5, 'a'), out));
}

TEST(LzariDecoderTest, FirstMatchCanCopyTheInitialSpaces) {
    // Positions 0..4035 count back from the first byte's slot into the spaces.
    for (int position : {0, 1, 2000, 4035}) {
        auto coder = std::make_unique<ClassicLzari>();
        coder->BeginStream(11);
        coder->EncodeChar(kMatchCodeBase + 10);
        coder->EncodePosition(position);
        coder->EncodeChar('x');
        const auto result = DecodeWithCapacity(coder->EncodeEnd(), 12);
        EXPECT_TRUE(SameBytes(result.Expected(Bytes("          x")), result.buffer))
            << "position " << position;
    }
}

TEST(LzariDecoderTest, OverlappingMatchRepeatsTheBytesBeingWritten) {
    auto coder = std::make_unique<ClassicLzari>();
    coder->BeginStream(9);
    coder->EncodeChar('a');
    coder->EncodeChar('b');
    coder->EncodeChar(kMatchCodeBase + 7);
    coder->EncodePosition(1);  // two bytes back: "ab", then what it wrote itself
    const auto result = DecodeWithCapacity(coder->EncodeEnd(), 10);
    EXPECT_TRUE(SameBytes(result.Expected(Bytes("ababababa")), result.buffer));
}

TEST(LzariDecoderTest, ModelIsHalvedWhenTheTotalFirstReaches0x7FFF) {
    // Literals only: the total starts at 314 and grows by one per symbol, so the
    // update of symbol 32454 is the first to see 0x7FFF and halves the model.
    constexpr size_t kSymbols = 40000;
    constexpr size_t kFirstAffected = 32454;  // 0-based index of the first symbol coded after it
    lzari_sample::Xorshift random(99);
    std::vector<uint8_t> literals(kSymbols);
    for (auto& b : literals) b = static_cast<uint8_t>((random.Next() >> 24) % 40 + 'A');
    auto encodeWithBound = [&](uint32_t bound) {
        auto coder = std::make_unique<ClassicLzari>(bound);
        coder->BeginStream(kSymbols);
        for (uint8_t b : literals) coder->EncodeChar(b);
        return coder->EncodeEnd();
    };

    const auto result = DecodeWithCapacity(encodeWithBound(0x7FFF), kSymbols + 1);
    EXPECT_TRUE(SameBytes(result.Expected(literals), result.buffer));

    // An encoder halving one symbol later agrees up to that point and no further.
    const auto late = DecodeWithCapacity(encodeWithBound(0x8000), kSymbols + 1);
    const std::vector<uint8_t> agreed(literals.begin(), literals.begin() + kFirstAffected);
    const std::vector<uint8_t> lateAgreed(late.buffer.begin(), late.buffer.begin() + kFirstAffected);
    EXPECT_TRUE(SameBytes(agreed, lateAgreed));
    EXPECT_FALSE(SameBytes(literals, std::vector<uint8_t>(late.buffer.begin(),
                                                           late.buffer.begin() + kSymbols)))
        << "a stream halved at 0x8000 decoded as if halved at 0x7FFF";
}

TEST(LzariDecoderTest, DecodesStreamsOfTheIndependentEncoder) {
    std::vector<uint8_t> repeatedRandom = lzari_sample::RandomBytes(4096, 3);
    repeatedRandom.insert(repeatedRandom.end(), repeatedRandom.begin(), repeatedRandom.end());
    const struct {
        const char* name;
        std::vector<uint8_t> data;
    } cases[] = {
        {"one byte", {0x42}},
        {"spaces", std::vector<uint8_t>(200, ' ')},
        {"random 4097", lzari_sample::RandomBytes(4097, 1)},
        {"random block repeated 4096 bytes later", repeatedRandom},
        {"zeros", std::vector<uint8_t>(70000, 0)},
        {"utf-16 text", lzari_sample::Utf16ArchiveText(52028)},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> stream = ReferenceEncode(c.data);
        std::vector<uint8_t> out;
        ASSERT_TRUE(LzariDecode(stream.data(), stream.size(), out)) << c.name;
        EXPECT_TRUE(SameBytes(c.data, out)) << c.name;
    }
}

TEST(LzariDecoderTest, ConvenienceCallRefusesLengthsNoStreamOfThatSizeCanCarry) {
    // Two stream bytes carry 16 bits: at most 16 x 60 = 960 decoded bytes.
    EXPECT_EQ(960u, LzariLengthLimit(6));
    EXPECT_EQ(0u, LzariLengthLimit(4));
    std::vector<uint8_t> block = {0xC0, 0x03, 0, 0, 0xFF, 0xFF};  // declares 960
    std::vector<uint8_t> out;
    EXPECT_TRUE(LzariDecode(block.data(), block.size(), out));
    EXPECT_EQ(960u, out.size());
    block[0] = 0xC1;  // 961
    EXPECT_FALSE(LzariDecode(block.data(), block.size(), out));
    EXPECT_TRUE(out.empty());
    const std::vector<uint8_t> huge = {0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34};
    EXPECT_FALSE(LzariDecode(huge.data(), huge.size(), out));
}

}  // namespace
