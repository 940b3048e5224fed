// lzari: compresses a file into the stream the program's LzariDecoder reads, or
// expands such a stream. Used by the build for the language archive and by hand.
//   lzari encode IN OUT
//   lzari decode IN OUT
// Exit codes: 0 done, 1 bad input or I/O failure, 2 wrong usage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "i18n/lzari_decoder.h"
#include "lzari_encoder.h"

namespace {

// Far above any text archive; keeps a hostile header from asking for gigabytes.
constexpr uint64_t kMaxDataSize = uint64_t{256} << 20;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "lzari: %s\n", message.c_str());
  return 1;
}

std::string SystemError() { return std::strerror(errno); }

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot open " + path + ": " + SystemError();
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> closer(file);
  data.clear();
  uint8_t chunk[1 << 16];
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, file);
    data.insert(data.end(), chunk, chunk + got);
    if (data.size() > kMaxDataSize) {
      error = path + " is larger than the limit of " + std::to_string(kMaxDataSize) + " bytes";
      return false;
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file)) {
    error = "cannot read " + path + ": " + SystemError();
    return false;
  }
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& data, std::string& error) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + path + ": " + SystemError();
    return false;
  }
  const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    error = "cannot write " + path + ": " + SystemError();
    std::remove(path.c_str());  // no half-written output left behind
    return false;
  }
  return true;
}

int Encode(const std::string& inPath, const std::string& outPath) {
  std::vector<uint8_t> data;
  std::string error;
  if (!ReadWholeFile(inPath, data, error)) return Fail(error);
  const std::vector<uint8_t> stream = LzariEncode(data.data(), data.size());
  if (!WriteWholeFile(outPath, stream, error)) return Fail(error);
  return 0;
}

int Decode(const std::string& inPath, const std::string& outPath) {
  std::vector<uint8_t> block;
  std::string error;
  if (!ReadWholeFile(inPath, block, error)) return Fail(error);
  if (block.size() < LzariDecoder::kHeaderSize) {
    return Fail(inPath + " is truncated: " + std::to_string(block.size()) +
                " bytes, shorter than the 4-byte length header");
  }
  const uint32_t declared =
      uint32_t{block[0]} | uint32_t{block[1]} << 8 | uint32_t{block[2]} << 16 | uint32_t{block[3]} << 24;
  if (declared > kMaxDataSize) {
    return Fail(inPath + " declares " + std::to_string(declared) + " decoded bytes, more than the limit of " +
                std::to_string(kMaxDataSize));
  }
  const uint64_t possible = LzariLengthLimit(block.size());
  if (declared > possible) {
    return Fail(inPath + " declares " + std::to_string(declared) + " decoded bytes, but " +
                std::to_string(block.size() - LzariDecoder::kHeaderSize) + " stream bytes can hold at most " +
                std::to_string(possible) + ": not an LZARI stream, or truncated");
  }
  std::vector<uint8_t> data;
  if (!LzariDecode(block.data(), block.size(), data)) return Fail("cannot decode " + inPath);
  if (!WriteWholeFile(outPath, data, error)) return Fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (argc != 4 || (command != "encode" && command != "decode")) {
    std::fprintf(stderr, "usage: lzari encode IN OUT\n       lzari decode IN OUT\n");
    return 2;
  }
  return command == "encode" ? Encode(argv[2], argv[3]) : Decode(argv[2], argv[3]);
}
