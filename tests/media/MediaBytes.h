// Reading the committed media files and the little-endian fields inside them.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace media_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes LoadMedia(const std::string& name) {
    return ReadFile(std::string(QUILLFEN_MEDIA_DIR) + "/" + name);
}

inline std::uint32_t Le(const Bytes& b, std::size_t offset, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b.at(offset + static_cast<std::size_t>(i));
    return v;
}

inline Bytes Slice(const Bytes& b, std::size_t offset, std::size_t size) {
    if (offset + size > b.size()) return {};
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(offset),
                 b.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

// The 1-bit mask rows of a 32-pixel-wide icon: counts set (transparent) bits.
inline int CountSetBits(const Bytes& mask) {
    int n = 0;
    for (std::uint8_t byte : mask)
        for (int bit = 0; bit < 8; ++bit) n += (byte >> bit) & 1;
    return n;
}

}  // namespace media_test
