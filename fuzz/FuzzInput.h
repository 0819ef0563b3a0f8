// Splits a fuzzer's input into a few byte strings: fields separated by a 0x00 byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sut::fuzz {

inline std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> fields(count);
    std::size_t f = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && f + 1 < count) ++f;
        else fields[f] += static_cast<char>(data[i]);
    }
    return fields;
}

}  // namespace sut::fuzz
