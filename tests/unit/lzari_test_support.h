// Byte comparison shared by the LZARI tests.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace lzari_test
