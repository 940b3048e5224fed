// Helpers shared by the LZARI tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "i18n/lzari_decoder.h"

namespace lzari_test {

// Compares byte strings, naming the sizes and the first differing offset.
inline ::testing::AssertionResult SameBytes(const std::vector<uint8_t>& expected,
                                            const std::vector<uint8_t>& actual) {
    size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    if (i == expected.size() && i == actual.size()) return ::testing::AssertionSuccess();
    auto at = [](const std::vector<uint8_t>& v, size_t k) {
        return k < v.size() ? std::to_string(v[k]) : std::string("(end)");
    };
    return ::testing::AssertionFailure()
           << "expected " << expected.size() << " bytes, got " << actual.size()
           << "; first difference at offset " << i << ": expected " << at(expected, i)
           << ", got " << at(actual, i);
}

// Decodes into a buffer of `capacity` bytes followed by guard bytes, all 0xEE.
struct CapacityDecode {
    static constexpr uint8_t kUntouched = 0xEE;
    static constexpr size_t kGuard = 64;
    bool ok = false;
    std::vector<uint8_t> buffer;  // capacity + kGuard bytes

    // The whole buffer as it should look with exactly `stored` written in front.
    std::vector<uint8_t> Expected(const std::vector<uint8_t>& stored) const {
        std::vector<uint8_t> expected(buffer.size(), kUntouched);
        std::copy(stored.begin(), stored.end(), expected.begin());
        return expected;
    }
};

inline CapacityDecode DecodeWithCapacity(LzariDecoder& decoder, const std::vector<uint8_t>& block,
                                         size_t capacity) {
    CapacityDecode result;
    result.buffer.assign(capacity + CapacityDecode::kGuard, CapacityDecode::kUntouched);
    result.ok = decoder.DecodeFromMemory(block.data(), block.size(), result.buffer.data(), capacity);
    return result;
}

inline CapacityDecode DecodeWithCapacity(const std::vector<uint8_t>& block, size_t capacity) {
    LzariDecoder decoder;
    return DecodeWithCapacity(decoder, block, capacity);
}

}  // namespace lzari_test
