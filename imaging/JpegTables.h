// Constant tables of baseline JPEG (ITU-T T.81 Annex K) and of the fast DCT.
#pragma once

#include <array>
#include <cstdint>

namespace jpeg_tables {

// A Huffman table as the DHT segment carries it: counts[1..16] codes of each
// length (counts[0] is always 0) and the symbols in code order.
struct SHuffmanLists {
    std::array<uint8_t, 17> counts;
    std::array<uint8_t, 162> symbols;
    int symbolCount;
};

// Tables K.1 and K.2, natural (row-major) order.
extern const std::array<uint8_t, 64> kBaseLuminanceQuant;
extern const std::array<uint8_t, 64> kBaseChrominanceQuant;

// Tables K.3 to K.6.
extern const SHuffmanLists kDcLuminance;
extern const SHuffmanLists kDcChrominance;
extern const SHuffmanLists kAcLuminance;
extern const SHuffmanLists kAcChrominance;

// Zigzag position -> natural index (Figure A.6), with 16 guard entries of 63
// so a scan that overruns position 63 still reads inside the block.
extern const std::array<uint8_t, 80> kZigzag;

// round(16384 * s(row) * s(col)), s(0) = 1, s(k) = sqrt(2) cos(k pi / 16):
// the factors by which the fast DCT leaves its outputs scaled.
extern const std::array<uint16_t, 64> kDctScale;

} // namespace jpeg_tables
