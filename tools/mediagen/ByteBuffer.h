// Little-endian byte assembly for the media files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace mediagen {

using Bytes = std::vector<std::uint8_t>;

class ByteBuffer {
public:
    void U8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I16(int v) { U16(static_cast<std::uint16_t>(v)); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Text(std::string_view s) {
        for (char ch : s) U8(static_cast<unsigned char>(ch));
    }
    void Append(const Bytes& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }

    std::size_t Size() const { return bytes_.size(); }
    const Bytes& Get() const { return bytes_; }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace mediagen
