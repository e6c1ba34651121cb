// What the coding of an MCU's blocks needs from the encoder's tables.
#pragma once

#include "imaging/JpegBitWriter.h"
#include "imaging/JpegBlockTransform.h"

#include <array>
#include <cstdint>

// What quantising and coding one kind of block (luminance or chrominance) needs.
struct SComponentCoding {
    SQuantiser quantiser;
    std::array<uint8_t, 64> zigzagPositions; // natural index -> zigzag position
    // Indexed by symbol: (code << c) << 5 | (code length + c), where c = symbol & 15
    // is the number of value bits that follow; 0 where the symbol has no code.
    std::array<uint32_t, 256> dcCodes;
    std::array<uint32_t, 256> acCodes;
    // The AC entries unpacked, for the hot loop of dense blocks.
    std::array<uint32_t, 256> acBits;
    std::array<uint8_t, 256> acLengths;
};
