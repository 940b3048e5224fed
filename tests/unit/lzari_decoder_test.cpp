// LzariDecoder: the stream's edge cases, and streams from an independently
// written classic encoder.
#include "i18n/lzari_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "lzari_reference.h"
#include "lzari_sample_text.h"
#include "lzari_test_support.h"

namespace {

using lzari_reference::ClassicLzari;
using lzari_test::SameBytes;

constexpr int kMatchCodeBase = 253;  // code = 253 + match length

// A decode into `capacity` bytes followed by guard bytes, all 0xEE.
struct CapacityDecode {
    bool ok = false;
    std::vector<uint8_t> buffer;
    // The whole buffer as it should look with exactly `stored` written in front.
    std::vector<uint8_t> Expected(const std::vector<uint8_t>& stored) const {
        std::vector<uint8_t> expected(buffer.size(), 0xEE);
        std::copy(stored.begin(), stored.end(), expected.begin());
        return expected;
    }
};

// A fresh decoder unless `reuse` is given, whose bit reader state a test carries over.
CapacityDecode DecodeWithCapacity(const std::vector<uint8_t>& block, size_t capacity,
                                  LzariDecoder* reuse = nullptr) {
    LzariDecoder fresh;
    CapacityDecode result;
    result.buffer.assign(capacity + 64, 0xEE);
    result.ok = (reuse ? *reuse : fresh).DecodeFromMemory(block.data(), block.size(), result.buffer.data(), capacity);
    return result;
}

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
        const auto result = DecodeWithCapacity(block, 16, &decoder);
        EXPECT_FALSE(result.ok) << "block of " << size << " bytes";
        EXPECT_EQ(0u, decoder.DeclaredLength()) << "block of " << size << " bytes";
        EXPECT_TRUE(SameBytes(result.Expected({}), result.buffer)) << "block of " << size;

        std::vector<uint8_t> out{1, 2, 3};
        EXPECT_FALSE(LzariDecode(block.data(), block.size(), out)) << "block of " << size;
        EXPECT_TRUE(out.empty()) << "block of " << size;
    }
}

TEST(LzariDecoderTest, BytesAfterTheFinalFlushDoNotMatterAndMissingOnesReadAsOnes) {
    const std::vector<uint8_t> data = lzari_sample::Utf16ArchiveText(3000);
    const std::vector<uint8_t> stream = ReferenceEncode(data);
    for (uint8_t filler : {0x00, 0x20}) {
        std::vector<uint8_t> block = stream;
        block.insert(block.end(), 300, filler);
        const auto result = DecodeWithCapacity(block, data.size() + 1);
        EXPECT_TRUE(SameBytes(result.Expected(data), result.buffer)) << "filler " << int{filler};
    }
    for (size_t cut = 4; cut <= stream.size(); ++cut) {
        std::vector<uint8_t> truncated(stream.begin(), stream.begin() + cut);
        std::vector<uint8_t> padded = truncated;
        padded.insert(padded.end(), 8, 0xFF);
        const auto fromTruncated = DecodeWithCapacity(truncated, data.size() + 1);
        const auto fromPadded = DecodeWithCapacity(padded, data.size() + 1);
        ASSERT_TRUE(SameBytes(fromPadded.buffer, fromTruncated.buffer)) << "cut at " << cut;
    }
}

TEST(LzariDecoderTest, CapacityStoresAtMostOneLessThanItsSize) {
    const std::vector<uint8_t> data = Bytes("Helligkeit 100%, Rot 50%, Gruen 50%, Blau 50%");
    const std::vector<uint8_t> stream = ReferenceEncode(data);
    const size_t n = data.size();
    struct Case {
        size_t capacity;
        size_t stored;
    } const cases[] = {{0, 0}, {1, 0}, {n, n - 1}, {n + 1, n}};
    for (const Case& c : cases) {
        const auto result = DecodeWithCapacity(stream, c.capacity);
        const std::vector<uint8_t> stored(data.begin(), data.begin() + c.stored);
        EXPECT_TRUE(result.ok);
        EXPECT_TRUE(SameBytes(result.Expected(stored), result.buffer)) << "capacity " << c.capacity;
    }
}

// The bit reader keeps its byte between decodes, so a following decode shows how far
// the first one read.
TEST(LzariDecoderTest, DecodingReadsAsFarAsTheDeclaredLengthNeedsWhateverTheCapacity) {
    const std::vector<uint8_t> first = ReferenceEncode(lzari_sample::Utf16ArchiveText(2001));
    const std::vector<uint8_t> probeData = Bytes("probe of the bit reader's leftover state");
    const std::vector<uint8_t> probe = ReferenceEncode(probeData);
    auto probeAfter = [&](const std::vector<uint8_t>& block, size_t capacity) {
        LzariDecoder decoder;
        EXPECT_TRUE(DecodeWithCapacity(block, capacity, &decoder).ok);
        return DecodeWithCapacity(probe, probeData.size() + 1, &decoder).buffer;
    };
    // A declared length of 0 writes nothing and reads no bit beyond the header.
    const std::vector<uint8_t> empty = {0, 0, 0, 0, 0x5A, 0xA5};
    EXPECT_TRUE(SameBytes(DecodeWithCapacity(empty, 16).Expected({}), DecodeWithCapacity(empty, 16).buffer));
    EXPECT_TRUE(SameBytes(DecodeWithCapacity(probe, probeData.size() + 1).buffer, probeAfter(empty, 16)));
    const std::vector<uint8_t> afterFullDecode = probeAfter(first, 5000);
    std::vector<uint8_t> cutShort = first;
    cutShort[0] = 100;  // declares far fewer bytes: stops reading early
    cutShort[1] = 0;
    ASSERT_FALSE(SameBytes(afterFullDecode, probeAfter(cutShort, 5000)))
        << "precondition: stopping early must leave a different bit reader state";
    for (size_t capacity : {0, 1})
        EXPECT_TRUE(SameBytes(afterFullDecode, probeAfter(first, capacity))) << "capacity " << capacity;
}

TEST(LzariDecoderTest, MatchPastTheDeclaredLengthIsCopiedWholeWithinCapacity) {
    const std::vector<uint8_t> a61(61, 'a');
    struct Case {
        uint32_t declared;
        size_t capacity;
        size_t stored;
    } const cases[] = {{1, 100, 1}, {2, 100, 61}, {5, 30, 29}};
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
    for (int position : {0, 4035}) {
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

TEST(LzariDecoderTest, ModelIsHalvedWhenTheTotalFirstReaches0x7FFF) {
    // Literals only: the total starts at 314 and grows by one per symbol, so the
    // update of symbol 32454 is the first to see 0x7FFF and halves the model.
    constexpr size_t kSymbols = 40000;
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

    const auto late = DecodeWithCapacity(encodeWithBound(0x8000), kSymbols + 1);
    EXPECT_FALSE(SameBytes(late.Expected(literals), late.buffer))
        << "precondition: a stream halved at 0x8000 must not decode as if halved at 0x7FFF";
}

TEST(LzariDecoderTest, DecodesStreamsOfTheIndependentEncoder) {
    std::vector<uint8_t> repeatedRandom = lzari_sample::RandomBytes(4096, 3);
    repeatedRandom.insert(repeatedRandom.end(), repeatedRandom.begin(), repeatedRandom.end());
    const struct {
        const char* name;
        std::vector<uint8_t> data;
    } cases[] = {
        {"one byte", {0x42}},
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
    std::vector<uint8_t> block = {0xC0, 0x03, 0, 0, 0xFF, 0xFF};  // declares 960
    std::vector<uint8_t> out;
    EXPECT_TRUE(LzariDecode(block.data(), block.size(), out));
    EXPECT_EQ(960u, out.size());
    block[0] = 0xC1;  // 961
    EXPECT_FALSE(LzariDecode(block.data(), block.size(), out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
