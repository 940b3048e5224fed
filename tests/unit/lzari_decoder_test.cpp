// The LZARI decoder against streams an independently written classic encoder made
// (data/lzari/*.lz, each with the length and FNV-1a hash of what it expands to), and round
// trips through the build-time encoder. Damaged streams are the fuzzer's.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "i18n/lzari_decoder.h"
#include "lzari_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ClassicStream(const std::string& name) {
  std::ifstream file(GLOWMERE_SOURCE_DIR "/tests/unit/data/lzari/" + name + ".lz", std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint64_t Fnv1a(const Bytes& data) {
  uint64_t hash = 14695981039346656037ull;
  for (uint8_t b : data) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

// Our encoder's stream of the same data must decode back and be no more than a little
// larger than the classic greedy parse: a weaker match finder or parse shows in the size.
TEST(Lzari, ClassicStreamsDecodeAndOurEncoderMatchesThem) {
  // name: what the stream exercises; wholeFile: the classic encoder's own parse, not a hand-made symbol sequence.
  const struct {
    const char* name;
    size_t size;
    uint64_t hash;
    bool wholeFile;
  } cases[] = {
      {"one_byte", 1, 0xaf63ff4c86022805ull, true},
      {"random_repeated_4096_later", 8192, 0xf65ebce92ac4c415ull, true},  // the ring's far edge
      {"spaces_like_the_ring", 4101, 0x827514720b980efcull, true},
      {"zeros", 70000, 0x5b7351ad0f814fe5ull, true},
      {"utf16_text", 52028, 0xba58be926a0b13f5ull, true},
      // A first match copying the ring's initial spaces, from its nearest and farthest slot.
      {"initial_spaces_near", 11, 0x50bd4eea004b124full, false},
      {"initial_spaces_far", 11, 0x50bd4eea004b124full, false},
      // 40000 literals: the model is halved once the total reaches 0x7FFF (at 0x8000 the
      // stream differs from byte 8434 on).
      {"literals_past_model_halving", 40000, 0xff52e9d7810b6dadull, false},
  };
  for (const auto& c : cases) {
    const Bytes stream = ClassicStream(c.name);
    ASSERT_FALSE(stream.empty()) << "missing data/lzari/" << c.name << ".lz";
    Bytes data;
    ASSERT_TRUE(LzariDecode(stream.data(), stream.size(), data)) << c.name;
    EXPECT_EQ(data.size(), c.size) << c.name;
    EXPECT_EQ(Fnv1a(data), c.hash) << c.name << ": decoded bytes differ from the classic decoder's";

    const Bytes ours = LzariEncode(data.data(), data.size());
    Bytes back;
    ASSERT_TRUE(LzariDecode(ours.data(), ours.size(), back)) << c.name;
    EXPECT_TRUE(back == data) << c.name << ": round trip through our encoder gave " << back.size() << " bytes";
    if (c.wholeFile)
      EXPECT_LE(ours.size(), stream.size() + stream.size() / 50 + 2)
          << c.name << ": ours " << ours.size() << " bytes, classic " << stream.size();
  }
}

}  // namespace
