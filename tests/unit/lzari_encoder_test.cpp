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

TEST(LzariEncoderTest, StreamsDecodeWithBothDecodersAndAreAsSmallAsTheClassicOnes) {
    std::vector<uint8_t> repeatedRandom = lzari_sample::RandomBytes(4096, 5);
    repeatedRandom.insert(repeatedRandom.end(), repeatedRandom.begin(), repeatedRandom.end());
    std::vector<uint8_t> leadingSpaces(100, ' ');
    leadingSpaces.push_back('!');
    leadingSpaces.insert(leadingSpaces.end(), 4000, ' ');
    const struct {
        const char* name;
        std::vector<uint8_t> data;
    } samples[] = {
        {"one byte", {0x7F}},
        {"4097 random bytes", lzari_sample::RandomBytes(4097, 12)},
        {"random block repeated 4096 bytes later", repeatedRandom},
        {"spaces like the initial ring", leadingSpaces},
        {"zeros", std::vector<uint8_t>(100000, 0)},
        {"utf-16 archive text", lzari_sample::Utf16ArchiveText(52028)},
    };
    for (const auto& sample : samples) {
        const std::vector<uint8_t> stream = Encode(sample.data);
        std::vector<uint8_t> out;
        ASSERT_TRUE(LzariDecode(stream.data(), stream.size(), out)) << sample.name;
        EXPECT_TRUE(SameBytes(sample.data, out)) << sample.name;
        EXPECT_TRUE(SameBytes(sample.data, std::make_unique<ClassicLzari>()->Decode(stream)))
            << sample.name << ", independent decoder";
        // Same format, same greedy parse rule: a weaker match finder shows in the size.
        const size_t classic = std::make_unique<ClassicLzari>()->Encode(sample.data).size();
        EXPECT_LE(stream.size(), classic + classic / 50 + 2)
            << sample.name << ": ours " << stream.size() << " bytes, classic " << classic;
    }
}

}  // namespace
