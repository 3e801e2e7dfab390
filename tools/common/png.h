#pragma once

// A PNG writer for the generators: 8-bit RGBA, each row filtered by its left neighbour (Sub),
// compressed by a small deflate of its own (LZ77 over a hash of three bytes, fixed Huffman
// codes), so that the same image always makes the same bytes whatever library is installed.

#include <array>
#include <cstdint>
#include <vector>

#include "common/image_bytes.h"

namespace png {

class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    // Bits least significant first, as deflate packs its fields.
    void put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            buffer_ |= ((value >> i) & 1u) << filled_;
            if (++filled_ == 8) {
                flush();
            }
        }
    }
    // Huffman codes go most significant bit first.
    void putCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            put((code >> i) & 1u, 1);
        }
    }
    void flush() {
        if (filled_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ = 0;
            filled_ = 0;
        }
    }

  private:
    Bytes& out_;
    std::uint32_t buffer_ = 0;
    int filled_ = 0;
};

// A literal byte or the end of the block (256) in the fixed code.
inline void putLiteral(BitWriter& bits, int value) {
    if (value < 144) {
        bits.putCode(0x30 + value, 8);
    } else if (value < 256) {
        bits.putCode(0x190 + value - 144, 9);
    } else if (value < 280) {
        bits.putCode(value - 256, 7);
    } else {
        bits.putCode(0xC0 + value - 280, 8);
    }
}

// A match of `length` (3 to 258) bytes `distance` (1 to 32768) back.
inline void putMatch(BitWriter& bits, int length, int distance) {
    static const int lengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int distanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int distanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int l = 28;
    while (lengthBase[l] > length) {
        --l;
    }
    putLiteral(bits, 257 + l);
    bits.put(static_cast<std::uint32_t>(length - lengthBase[l]), lengthExtra[l]);
    int d = 29;
    while (distanceBase[d] > distance) {
        --d;
    }
    bits.putCode(static_cast<std::uint32_t>(d), 5);
    bits.put(static_cast<std::uint32_t>(distance - distanceBase[d]), distanceExtra[d]);
}

// A zlib stream of `data`: one fixed-Huffman block.
inline Bytes deflate(const Bytes& data) {
    Bytes out = {0x78, 0x01};
    BitWriter bits(out);
    bits.put(1, 1);  // the last block
    bits.put(1, 2);  // fixed codes
    constexpr int WINDOW = 32768, HASH = 1 << 15;
    std::vector<int> head(HASH, -1), previous(data.size(), -1);
    const auto hashAt = [&](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (HASH - 1);
    };
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLength = 0, bestDistance = 0;
        if (i + 2 < data.size()) {
            const int h = hashAt(i);
            for (int candidate = head[h], tries = 0;
                 candidate >= 0 && static_cast<int>(i) - candidate <= WINDOW && tries < 64;
                 candidate = previous[static_cast<std::size_t>(candidate)], ++tries) {
                int length = 0;
                while (length < 258 && i + length < data.size() &&
                       data[static_cast<std::size_t>(candidate) + length] == data[i + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = static_cast<int>(i) - candidate;
                }
            }
        }
        const std::size_t step = bestLength >= 3 ? static_cast<std::size_t>(bestLength) : 1;
        for (std::size_t k = i; k < i + step && k + 2 < data.size(); ++k) {
            const int h = hashAt(k);
            previous[k] = head[h];
            head[h] = static_cast<int>(k);
        }
        if (bestLength >= 3) {
            putMatch(bits, bestLength, bestDistance);
        } else {
            putLiteral(bits, data[i]);
        }
        i += step;
    }
    putLiteral(bits, 256);
    bits.flush();
    std::uint32_t a = 1, b = 0;  // Adler-32
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(((b << 16 | a) >> shift) & 0xFF));
    }
    return out;
}

inline std::uint32_t crc32(const Bytes& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline void putChunk(Bytes& out, const char* type, const Bytes& data) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((data.size() >> shift) & 0xFF));
    }
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::uint32_t crc = crc32(out, start);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((crc >> shift) & 0xFF));
    }
}

// `rgba`: size x size pixels, red, green, blue, alpha, top row first.
inline Bytes encode(const Bytes& rgba, int size) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    for (int value : {size, size}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
        }
    }
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
    putChunk(out, "IHDR", header);
    Bytes filtered;
    const std::size_t stride = static_cast<std::size_t>(size) * 4;
    for (std::size_t y = 0; y < static_cast<std::size_t>(size); ++y) {
        filtered.push_back(1);  // Sub
        for (std::size_t x = 0; x < stride; ++x) {
            const std::uint8_t left = x >= 4 ? rgba[y * stride + x - 4] : 0;
            filtered.push_back(static_cast<std::uint8_t>(rgba[y * stride + x] - left));
        }
    }
    putChunk(out, "IDAT", deflate(filtered));
    putChunk(out, "IEND", {});
    return out;
}

}  // namespace png
