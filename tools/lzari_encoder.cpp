#include "lzari_encoder.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr size_t kWindowSize = 4096;
constexpr size_t kLongestMatch = 60;
constexpr size_t kShortestMatch = 3;
// The decoder's ring starts with this many spaces; the first byte follows them.
constexpr size_t kInitialSpaces = kWindowSize - kLongestMatch;
constexpr int kSymbolCount = 256 - 2 + static_cast<int>(kLongestMatch);  // 314
constexpr int kMatchCodeBase = 253;                                      // code = 253 + length

constexpr uint32_t kQuarter = 0x8000;
constexpr uint32_t kHalf = 2 * kQuarter;
constexpr uint32_t kThreeQuarters = 3 * kQuarter;
constexpr uint32_t kFullRange = 4 * kQuarter;
constexpr uint16_t kRescaleBound = kQuarter - 1;

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  void Put(int bit) {
    if (bit) pending_ |= mask_;
    mask_ >>= 1;
    if (mask_ == 0) {
      out_.push_back(pending_);
      pending_ = 0;
      mask_ = 0x80;
    }
  }

  // Pads the last byte with zero bits.
  void Flush() {
    if (mask_ != 0x80) out_.push_back(pending_);
    pending_ = 0;
    mask_ = 0x80;
  }

 private:
  std::vector<uint8_t>& out_;
  uint8_t pending_ = 0;
  uint8_t mask_ = 0x80;
};

// Adaptive model over the 314 codes plus the fixed position model, driving a
// 15-bit arithmetic coder. Mirrors the decoder's model update exactly.
class ArithmeticEncoder {
 public:
  explicit ArithmeticEncoder(std::vector<uint8_t>& out) : bits_(out) {
    cumulative_[kSymbolCount] = 0;
    for (int s = kSymbolCount; s >= 1; --s) {
      symbolOfCode_[s - 1] = static_cast<uint16_t>(s);
      codeOfSymbol_[s] = static_cast<uint16_t>(s - 1);
      frequency_[s] = 1;
      cumulative_[s - 1] = static_cast<uint16_t>(cumulative_[s] + 1);
    }
    frequency_[0] = 0;
    positionCumulative_[kWindowSize] = 0;
    for (size_t i = kWindowSize; i >= 1; --i) {
      positionCumulative_[i - 1] = static_cast<uint16_t>(positionCumulative_[i] + 10000 / (i + 200));
    }
  }

  void EncodeCode(int code) {
    const int symbol = symbolOfCode_[code];
    Narrow(cumulative_[symbol - 1], cumulative_[symbol], cumulative_[0]);
    Update(symbol);
  }

  // position: distance back minus one, 0..4095.
  void EncodePosition(size_t position) {
    Narrow(positionCumulative_[position], positionCumulative_[position + 1], positionCumulative_[0]);
  }

  // Two more bits (plus any pending ones) pin a value inside the final interval,
  // whatever bits a reader finds after the stream.
  void Finish() {
    ++pendingBits_;
    Output(low_ < kQuarter ? 0 : 1);
    bits_.Flush();
  }

 private:
  void Narrow(uint32_t upperCount, uint32_t lowerCount, uint32_t total) {
    const uint32_t range = high_ - low_;
    high_ = low_ + range * upperCount / total;
    low_ += range * lowerCount / total;
    for (;;) {
      if (high_ <= kHalf) {
        Output(0);
      } else if (low_ >= kHalf) {
        Output(1);
        low_ -= kHalf;
        high_ -= kHalf;
      } else if (low_ >= kQuarter && high_ <= kThreeQuarters) {
        // Straddling the middle: decide the bit later.
        ++pendingBits_;
        low_ -= kQuarter;
        high_ -= kQuarter;
      } else {
        return;
      }
      low_ += low_;
      high_ += high_;
    }
  }

  void Output(int bit) {
    bits_.Put(bit);
    for (; pendingBits_ > 0; --pendingBits_) bits_.Put(!bit);
  }

  void Update(int symbol) {
    if (cumulative_[0] >= kRescaleBound) {
      uint16_t sum = 0;
      for (int i = kSymbolCount; i >= 1; --i) {
        cumulative_[i] = sum;
        frequency_[i] = static_cast<uint16_t>((frequency_[i] + 1) / 2);
        sum = static_cast<uint16_t>(sum + frequency_[i]);
      }
      cumulative_[0] = sum;
    }
    int i = symbol;
    while (frequency_[i] == frequency_[i - 1]) --i;
    if (i < symbol) {
      const uint16_t codeAtI = codeOfSymbol_[i];
      const uint16_t codeAtSymbol = codeOfSymbol_[symbol];
      codeOfSymbol_[i] = codeAtSymbol;
      codeOfSymbol_[symbol] = codeAtI;
      symbolOfCode_[codeAtSymbol] = static_cast<uint16_t>(i);
      symbolOfCode_[codeAtI] = static_cast<uint16_t>(symbol);
    }
    ++frequency_[i];
    while (--i >= 0) ++cumulative_[i];
  }

  BitWriter bits_;
  uint32_t low_ = 0;
  uint32_t high_ = kFullRange;
  uint64_t pendingBits_ = 0;
  std::array<uint16_t, kSymbolCount> symbolOfCode_{};
  std::array<uint16_t, kSymbolCount + 1> codeOfSymbol_{};
  std::array<uint16_t, kSymbolCount + 1> frequency_{};
  std::array<uint16_t, kSymbolCount + 1> cumulative_{};
  std::array<uint16_t, kWindowSize + 1> positionCumulative_{};
};

struct Match {
  size_t length = 0;
  size_t distance = 0;  // 1..4096 bytes back
};

// Hash chains over 3-byte prefixes of the text (initial spaces, then the input).
// Of equally long matches the nearest wins, as its position codes cheapest.
class MatchFinder {
 public:
  explicit MatchFinder(const std::vector<uint8_t>& text) : text_(text) {
    head_.fill(kNone);
    prev_.fill(kNone);
  }

  void Insert(size_t pos) {
    if (pos + kShortestMatch > text_.size()) return;
    const size_t h = Hash(pos);
    prev_[pos % kWindowSize] = head_[h];
    head_[h] = pos;
  }

  Match Find(size_t pos) const {
    Match best;
    const size_t limit = std::min(kLongestMatch, text_.size() - pos);
    if (limit < kShortestMatch) return best;
    size_t candidate = head_[Hash(pos)];
    for (int steps = 0; candidate != kNone && steps < kMaxChain; ++steps) {
      if (pos - candidate > kWindowSize) break;
      size_t length = 0;
      while (length < limit && text_[candidate + length] == text_[pos + length]) ++length;
      if (length > best.length) {
        best.length = length;
        best.distance = pos - candidate;
        if (length == limit) break;
      }
      const size_t older = prev_[candidate % kWindowSize];
      // A slot reused by a newer position ends the chain.
      if (older == kNone || older >= candidate) break;
      candidate = older;
    }
    if (best.length < kShortestMatch) best = Match{};
    return best;
  }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);
  static constexpr size_t kHashSize = size_t{1} << 15;
  static constexpr int kMaxChain = 1024;

  size_t Hash(size_t pos) const {
    return ((size_t{text_[pos]} << 10) ^ (size_t{text_[pos + 1]} << 5) ^ text_[pos + 2]) & (kHashSize - 1);
  }

  const std::vector<uint8_t>& text_;
  std::array<size_t, kHashSize> head_;
  std::array<size_t, kWindowSize> prev_;
};

}  // namespace

std::vector<uint8_t> LzariEncode(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  const uint32_t length = static_cast<uint32_t>(size);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(length >> shift));
  if (size == 0) return out;

  // The decoder's ring begins with spaces; matching against them is allowed.
  std::vector<uint8_t> text(kInitialSpaces + size, ' ');
  std::copy(data, data + size, text.begin() + kInitialSpaces);

  auto finder = std::make_unique<MatchFinder>(text);
  auto coder = std::make_unique<ArithmeticEncoder>(out);
  for (size_t pos = 0; pos < kInitialSpaces; ++pos) finder->Insert(pos);

  size_t pos = kInitialSpaces;
  while (pos < text.size()) {
    const Match match = finder->Find(pos);
    size_t advance = 1;
    if (match.length >= kShortestMatch) {
      coder->EncodeCode(kMatchCodeBase + static_cast<int>(match.length));
      coder->EncodePosition(match.distance - 1);
      advance = match.length;
    } else {
      coder->EncodeCode(text[pos]);
    }
    for (size_t k = 0; k < advance; ++k) finder->Insert(pos + k);
    pos += advance;
  }
  coder->Finish();
  return out;
}
