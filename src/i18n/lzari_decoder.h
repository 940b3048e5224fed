// LZARI stream decoder: LZ77 over a 4096-byte ring whose literals, match lengths
// and match positions are arithmetic-coded (adaptive symbol model, fixed position
// model). Streams are what the classic 1989 LZARI encoder writes with these
// parameters, preceded by the decoded length as 4 little-endian bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class LzariDecoder {
 public:
  static constexpr int kWindowSize = 4096;
  static constexpr int kLongestMatch = 60;
  static constexpr int kThreshold = 2;
  static constexpr int kSymbolCount = 256 - kThreshold + kLongestMatch;  // 314
  static constexpr size_t kHeaderSize = 4;

  LzariDecoder();
  virtual ~LzariDecoder() = default;

  // Expands block (header and bit stream) into output. At most
  // outputCapacity - 1 bytes are stored: a caller that wants all n decoded bytes
  // passes n + 1. Decoding always runs until the declared length is reached,
  // even when nothing more can be stored; bits past the block's end read as 1.
  // Returns false, reading and writing nothing, when block is null or shorter
  // than its 4-byte header. A null output stores nothing.
  bool DecodeFromMemory(const uint8_t* block, size_t blockSize, uint8_t* output, size_t outputCapacity);

  // The length the last decoded block declared (0 before any decode).
  uint32_t DeclaredLength() const { return declaredLength_; }

 private:
  // Source and sink of one decode; cleared again when it ends.
  struct MemoryStreams {
    const uint8_t* block = nullptr;
    size_t readIndex = 0;
    size_t blockSize = 0;
    uint8_t* output = nullptr;
    size_t storedCount = 0;
    size_t outputCapacity = 0;
  };

  void Decode();
  void StartModel();
  void UpdateModel(int symbol);
  int DecodeSymbol();
  int DecodePosition();
  void Renormalise();
  int ReadBit();
  uint8_t FetchByte();
  void Emit(uint8_t byte);

  // Deliberately not reset per decode: a second decode with the same object
  // starts with the bits the first one left in the last fetched byte.
  uint16_t bitByte_ = 0;
  uint16_t bitMask_ = 0;
  uint32_t declaredLength_ = 0;
  // Zeroed at construction so that a corrupt stream copying from ring
  // positions not yet written still yields defined bytes.
  uint8_t ring_[kWindowSize] = {};
  uint16_t symbolToByte_[kSymbolCount + 1] = {};
  uint16_t symbolFrequency_[kSymbolCount + 1] = {};
  uint16_t symbolCumulative_[kSymbolCount + 1] = {};
  uint16_t positionCumulative_[kWindowSize + 1] = {};
  uint32_t low_ = 0;
  uint32_t high_;
  uint32_t code_ = 0;
  MemoryStreams io_;
};

// Largest declared length a block of blockSize bytes is accepted with: 60 decoded
// bytes per bit of stream. The encoder never gets near that (a 60-byte match costs
// more than 9 bits for its position alone), while a hostile header could otherwise
// make the decoder run for up to 4 GiB of output from a few bytes.
uint64_t LzariLengthLimit(size_t blockSize);

// Decodes a whole block into out (exactly the declared length). False, with out
// empty, when the block is shorter than its header or declares more than
// LzariLengthLimit allows.
bool LzariDecode(const uint8_t* block, size_t blockSize, std::vector<uint8_t>& out);
