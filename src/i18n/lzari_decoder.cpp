#include "i18n/lzari_decoder.h"

#include <algorithm>

namespace {

constexpr uint32_t kRingMask = LzariDecoder::kWindowSize - 1;
// Ring positions before this hold the initial spaces; the first byte goes here.
constexpr uint32_t kRingStart = LzariDecoder::kWindowSize - LzariDecoder::kLongestMatch;

// 15-bit arithmetic coder.
constexpr uint32_t kQuarter = 0x8000;
constexpr uint32_t kHalf = 2 * kQuarter;
constexpr uint32_t kThreeQuarters = 3 * kQuarter;
constexpr uint32_t kFullRange = 4 * kQuarter;
constexpr int kStartupBits = 15 + 2;
// The symbol total stays below a quarter so that range x count fits 32 bits.
constexpr uint16_t kRescaleBound = kQuarter - 1;

constexpr int kMatchCodeBase = 256 - LzariDecoder::kThreshold - 1;  // code - 253 = length
constexpr uint64_t kMaxBytesPerStreamByte = 8 * 60;

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

}  // namespace

LzariDecoder::LzariDecoder() : high_(kFullRange) {}

bool LzariDecoder::DecodeFromMemory(const uint8_t* block, size_t blockSize, uint8_t* output, size_t outputCapacity) {
  declaredLength_ = 0;
  low_ = 0;
  high_ = kFullRange;
  code_ = 0;
  // The header is only read when it is all there.
  if (block == nullptr || blockSize < kHeaderSize) return false;
  io_.block = block;
  io_.readIndex = 0;
  io_.blockSize = blockSize;
  io_.output = output;
  io_.storedCount = 0;
  io_.outputCapacity = output != nullptr ? outputCapacity : 0;
  Decode();
  io_ = MemoryStreams{};
  return true;
}

void LzariDecoder::Decode() {
  declaredLength_ = ReadLittleEndian32(io_.block);
  io_.readIndex = kHeaderSize;
  if (declaredLength_ == 0) return;

  for (int i = 0; i < kStartupBits; ++i) code_ = 2 * code_ + ReadBit();
  StartModel();
  std::fill(ring_, ring_ + kRingStart, uint8_t{' '});

  uint32_t r = kRingStart;
  // 64-bit so that a match near a declared length of 4 GiB cannot wrap the count.
  uint64_t count = 0;
  while (count < declaredLength_) {
    const int code = DecodeSymbol();
    if (code < 256) {
      const uint8_t byte = static_cast<uint8_t>(code);
      Emit(byte);
      ring_[r] = byte;
      r = (r + 1) & kRingMask;
      ++count;
      continue;
    }
    // Position 0 is the byte written last; a source overlapping the bytes
    // being written repeats them, so the copy goes byte by byte.
    uint32_t from = (r - static_cast<uint32_t>(DecodePosition()) - 1) & kRingMask;
    const int length = code - kMatchCodeBase;
    count += static_cast<uint64_t>(length);
    for (int k = 0; k < length; ++k) {
      const uint8_t byte = ring_[from];
      Emit(byte);
      ring_[r] = byte;
      r = (r + 1) & kRingMask;
      from = (from + 1) & kRingMask;
    }
  }
}

void LzariDecoder::StartModel() {
  symbolCumulative_[kSymbolCount] = 0;
  for (int s = kSymbolCount; s >= 1; --s) {
    symbolToByte_[s] = static_cast<uint16_t>(s - 1);
    symbolFrequency_[s] = 1;
    symbolCumulative_[s - 1] = static_cast<uint16_t>(symbolCumulative_[s] + 1);
  }
  symbolFrequency_[0] = 0;  // sentinel: stops the search for a symbol's new rank
  // Near positions (recent bytes) are likelier: each adds 10000 / (i + 200).
  positionCumulative_[kWindowSize] = 0;
  for (int i = kWindowSize; i >= 1; --i) {
    positionCumulative_[i - 1] = static_cast<uint16_t>(positionCumulative_[i] + 10000 / (i + 200));
  }
}

void LzariDecoder::UpdateModel(int symbol) {
  if (symbolCumulative_[0] >= kRescaleBound) {
    uint16_t sum = 0;
    for (int i = kSymbolCount; i >= 1; --i) {
      symbolCumulative_[i] = sum;
      symbolFrequency_[i] = static_cast<uint16_t>((symbolFrequency_[i] + 1) / 2);
      sum = static_cast<uint16_t>(sum + symbolFrequency_[i]);
    }
    symbolCumulative_[0] = sum;
  }
  // Keep frequencies non-increasing: move the symbol to the front of its tie.
  int i = symbol;
  while (symbolFrequency_[i] == symbolFrequency_[i - 1]) --i;
  if (i < symbol) std::swap(symbolToByte_[i], symbolToByte_[symbol]);
  ++symbolFrequency_[i];
  while (--i >= 0) ++symbolCumulative_[i];
}

int LzariDecoder::DecodeSymbol() {
  const uint32_t range = high_ - low_;
  const uint32_t total = symbolCumulative_[0];
  const uint16_t target = static_cast<uint16_t>(((code_ - low_ + 1) * total - 1) / range);
  int i = 1;
  int j = kSymbolCount;
  while (i < j) {
    const int k = (i + j) / 2;
    if (symbolCumulative_[k] > target) {
      i = k + 1;
    } else {
      j = k;
    }
  }
  high_ = low_ + range * symbolCumulative_[i - 1] / total;
  low_ += range * symbolCumulative_[i] / total;
  Renormalise();
  const int code = symbolToByte_[i];
  UpdateModel(i);
  return code;
}

int LzariDecoder::DecodePosition() {
  const uint32_t range = high_ - low_;
  const uint32_t total = positionCumulative_[0];
  const uint16_t target = static_cast<uint16_t>(((code_ - low_ + 1) * total - 1) / range);
  int i = 1;
  int j = kWindowSize;
  while (i < j) {
    const int k = (i + j) / 2;
    if (positionCumulative_[k] > target) {
      i = k + 1;
    } else {
      j = k;
    }
  }
  const int position = i - 1;
  high_ = low_ + range * positionCumulative_[position] / total;
  low_ += range * positionCumulative_[position + 1] / total;
  Renormalise();
  return position;
}

void LzariDecoder::Renormalise() {
  for (;;) {
    if (low_ >= kHalf) {
      low_ -= kHalf;
      high_ -= kHalf;
      code_ -= kHalf;
    } else if (low_ >= kQuarter && high_ <= kThreeQuarters) {
      low_ -= kQuarter;
      high_ -= kQuarter;
      code_ -= kQuarter;
    } else if (high_ > kHalf) {
      return;
    }
    low_ += low_;
    high_ += high_;
    code_ = 2 * code_ + ReadBit();
  }
}

int LzariDecoder::ReadBit() {
  bitMask_ >>= 1;
  if (bitMask_ == 0) {
    bitByte_ = FetchByte();
    bitMask_ = 0x80;
  }
  return (bitByte_ & bitMask_) != 0 ? 1 : 0;
}

uint8_t LzariDecoder::FetchByte() {
  // Past the end every bit is 1, as the classic reader's EOF was.
  if (io_.readIndex >= io_.blockSize) return 0xFF;
  return io_.block[io_.readIndex++];
}

void LzariDecoder::Emit(uint8_t byte) {
  if (io_.storedCount + 1 < io_.outputCapacity) io_.output[io_.storedCount++] = byte;
}

uint64_t LzariLengthLimit(size_t blockSize) {
  if (blockSize < LzariDecoder::kHeaderSize) return 0;
  return static_cast<uint64_t>(blockSize - LzariDecoder::kHeaderSize) * kMaxBytesPerStreamByte;
}

bool LzariDecode(const uint8_t* block, size_t blockSize, std::vector<uint8_t>& out) {
  out.clear();
  if (block == nullptr || blockSize < LzariDecoder::kHeaderSize) return false;
  const uint32_t declared = ReadLittleEndian32(block);
  if (declared > LzariLengthLimit(blockSize)) return false;
  // One spare byte: the decoder stores at most capacity - 1.
  out.resize(static_cast<size_t>(declared) + 1);
  LzariDecoder decoder;
  decoder.DecodeFromMemory(block, blockSize, out.data(), out.size());
  out.resize(declared);
  return true;
}
