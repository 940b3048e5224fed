#include "lzari_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace {

constexpr size_t kWindowSize = 4096;
constexpr size_t kLongestMatch = 60;
constexpr size_t kShortestMatch = 3;
// The decoder's ring starts with this many spaces; the first byte follows them.
constexpr size_t kInitialSpaces = kWindowSize - kLongestMatch;
constexpr int kSymbolCount = 256 - 2 + static_cast<int>(kLongestMatch);  // 314
constexpr int kMatchCodeBase = 253;                                      // code = 253 + length
constexpr int kCostRounds = 4;

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

// Hash chains over 3-byte prefixes of the text (initial spaces, then the input).
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

  // For each length from kShortestMatch up to the longest found, the nearest distance that
  // gives it (nearest[length]); returns the longest length, 0 when there is no match.
  size_t FindAll(size_t pos, std::array<size_t, kLongestMatch + 1>& nearest) const {
    size_t longest = kShortestMatch - 1;
    const size_t limit = std::min(kLongestMatch, text_.size() - pos);
    if (limit < kShortestMatch) return 0;
    size_t candidate = head_[Hash(pos)];
    for (int steps = 0; candidate != kNone && steps < kMaxChain; ++steps) {
      if (pos - candidate > kWindowSize) break;
      size_t length = 0;
      while (length < limit && text_[candidate + length] == text_[pos + length]) ++length;
      // The chain runs from near to far, so the first to reach a length is its nearest.
      while (longest < length) nearest[++longest] = pos - candidate;
      if (longest == limit) break;
      const size_t older = prev_[candidate % kWindowSize];
      // A slot reused by a newer position ends the chain.
      if (older == kNone || older >= candidate) break;
      candidate = older;
    }
    return longest >= kShortestMatch ? longest : 0;
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

// One step of a parse: a literal (length 0) or a match.
struct Step {
  uint16_t length = 0;
  uint16_t distance = 0;  // 1..4096 bytes back
};

// Bits that a code or a position costs, from the model's counts; the coder adapts as it
// goes, but the counts of a whole parse are a close enough guide.
class CostModel {
 public:
  CostModel() {
    codeCount_.fill(1);
    // The fixed position model: position p counts 10000 / (p + 201).
    double total = 0;
    for (size_t p = 0; p < kWindowSize; ++p) total += static_cast<double>(10000 / (p + 201));
    for (size_t p = 0; p < kWindowSize; ++p) position_[p] = std::log2(total / static_cast<double>(10000 / (p + 201)));
  }
  void Count(const std::vector<Step>& parse, const std::vector<uint8_t>& text, size_t from) {
    codeCount_.fill(1);
    size_t pos = from;
    for (const Step& step : parse) {
      if (step.length == 0) {
        ++codeCount_[text[pos++]];
      } else {
        ++codeCount_[kMatchCodeBase + step.length];
        pos += step.length;
      }
    }
  }
  void Freeze() {
    double total = 0;
    for (double c : codeCount_) total += c;
    for (size_t i = 0; i < codeCount_.size(); ++i) code_[i] = std::log2(total / codeCount_[i]);
  }
  double Literal(uint8_t byte) const { return code_[byte]; }
  double Match(size_t length, size_t distance) const {
    return code_[kMatchCodeBase + length] + position_[distance - 1];
  }

 private:
  std::array<double, kSymbolCount> codeCount_{};
  std::array<double, kSymbolCount> code_{};
  std::array<double, kWindowSize> position_{};
};

// The cheapest parse under `costs`: for every position, the cheapest way to reach it.
std::vector<Step> CheapestParse(const std::vector<uint8_t>& text, size_t from, const CostModel& costs) {
  const size_t n = text.size() - from;
  std::vector<double> cost(n + 1, 1e300);
  std::vector<Step> arrival(n + 1);
  cost[0] = 0;
  auto finder = std::make_unique<MatchFinder>(text);
  for (size_t pos = 0; pos < from; ++pos) finder->Insert(pos);
  std::array<size_t, kLongestMatch + 1> nearest{};
  for (size_t i = 0; i < n; ++i) {
    const size_t pos = from + i;
    const double literal = cost[i] + costs.Literal(text[pos]);
    if (literal < cost[i + 1]) {
      cost[i + 1] = literal;
      arrival[i + 1] = Step{};
    }
    const size_t longest = finder->FindAll(pos, nearest);
    for (size_t length = kShortestMatch; length <= longest; ++length) {
      const double viaMatch = cost[i] + costs.Match(length, nearest[length]);
      if (viaMatch < cost[i + length]) {
        cost[i + length] = viaMatch;
        arrival[i + length] = Step{static_cast<uint16_t>(length), static_cast<uint16_t>(nearest[length])};
      }
    }
    finder->Insert(pos);
  }
  std::vector<Step> parse;
  for (size_t i = n; i > 0; i -= arrival[i].length == 0 ? 1 : arrival[i].length) parse.push_back(arrival[i]);
  std::reverse(parse.begin(), parse.end());
  return parse;
}

}  // namespace

std::vector<uint8_t> LzariEncode(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  const uint32_t length = static_cast<uint32_t>(size);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(length >> shift));
  if (size == 0) return out;

  // The decoder's ring begins with spaces; matching against them is allowed.
  std::vector<uint8_t> text(kInitialSpaces + size, ' ');
  std::copy(data, data + size, text.begin() + kInitialSpaces);

  // The parse is chosen first with flat code costs, then again with the code counts of
  // the parse before: a few rounds settle them.
  auto costs = std::make_unique<CostModel>();
  costs->Freeze();
  std::vector<Step> parse = CheapestParse(text, kInitialSpaces, *costs);
  for (int round = 0; round < kCostRounds; ++round) {
    costs->Count(parse, text, kInitialSpaces);
    costs->Freeze();
    parse = CheapestParse(text, kInitialSpaces, *costs);
  }

  auto coder = std::make_unique<ArithmeticEncoder>(out);
  size_t pos = kInitialSpaces;
  for (const Step& step : parse) {
    if (step.length == 0) {
      coder->EncodeCode(text[pos++]);
    } else {
      coder->EncodeCode(kMatchCodeBase + step.length);
      coder->EncodePosition(step.distance - 1u);
      pos += step.length;
    }
  }
  coder->Finish();
  return out;
}
