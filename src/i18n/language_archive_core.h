// The portable half of the language archive: finding the block between its two marker
// lines in a file image, expanding it and building the text tables of string_table.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace LanguageArchive {

constexpr size_t kStartMarkerSize = 45;  // LF, 43 characters, LF
constexpr size_t kEndMarkerSize = 44;    // LF, 42 characters, LF
constexpr size_t kLengthHeaderSize = 4;  // decoded length in bytes, little-endian

// Largest decoded text accepted (besides the decoder's own limit of 60 bytes per bit of
// block). The shipped text is about 65 KB; a corrupt header could otherwise ask for
// gigabytes, or make the buffer size 2L + 10 overflow.
constexpr uint32_t kMaxDecodedBytes = 16u * 1024 * 1024;

// Bytes of the text buffer for a declared length L: 2L + 10, counted in 32 bits as the
// product's size_t does; false where that would wrap (L above 0x7FFFFFFA).
bool TextBufferBytes(uint32_t length, uint32_t* bytes);

// The marker lines, composed at run time so that the executable holds no copy of its own.
void ComposeStartMarker(unsigned char (&marker)[kStartMarkerSize]);
void ComposeEndMarker(unsigned char (&marker)[kEndMarkerSize]);

// Offset of the first occurrence of `pattern` in `data`, or -1.
ptrdiff_t FindBytes(const unsigned char* data, size_t length, const unsigned char* pattern, size_t patternLength);

// The block between the first start marker and the first end marker of a file image.
struct ArchiveBlock {
  const unsigned char* data = nullptr;
  size_t size = 0;
};
// False when a marker is missing or the end marker does not follow the start marker.
bool FindArchiveBlock(const unsigned char* image, size_t imageSize, ArchiveBlock* block);

// Expands a block (4-byte length + LZARI stream + filler) and builds every table from it.
// False, with the tables left empty, when the block is shorter than its header, declares
// more than `maxDecodedBytes` or LzariLengthLimit allows, or the text buffer cannot be had.
bool LoadFromBlock(const unsigned char* block, size_t size, uint32_t maxDecodedBytes = kMaxDecodedBytes);

// FindArchiveBlock, then LoadFromBlock: the whole load after the executable has been read.
bool LoadFromImage(const unsigned char* image, size_t imageSize, uint32_t maxDecodedBytes = kMaxDecodedBytes);

// Builds every table from an already expanded text (a copy is kept for the tables to point
// into); the text ends at its first zero unit, if any. For tests and tools.
void LoadFromText(std::u16string_view text);

// Where the common block and the two free texts begin; null when absent.
extern const char16_t* blockStarts[3];

// Empties every table, as at program start (the language choice is left alone).
void Clear();

}  // namespace LanguageArchive
