// Build-time LZARI encoder: writes the stream the program's LzariDecoder reads
// (4-byte little-endian length, then the arithmetic-coded LZSS bit stream of the
// classic 1989 LZARI format: 4096-byte ring, matches of 3..60 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Largest input the stream's 32-bit length header can describe.
constexpr uint64_t kLzariMaxInput = 0xFFFFFFFFu;

// Compresses size bytes (at most kLzariMaxInput) into a complete stream.
std::vector<uint8_t> LzariEncode(const uint8_t* data, size_t size);
