// Coding of one MCU's six blocks: DCT and quantisation, then the Huffman
// coding of T.81 F.1.2 into the bit writer.
#pragma once

#include "imaging/JpegBitWriter.h"
#include "imaging/JpegBlockTransform.h"

#include <array>
#include <cstdint>

// What quantising and coding one kind of block (luminance or chrominance) needs.
struct SComponentCoding {
    SQuantiser quantiser;
    std::array<uint8_t, 64> zigzagPositions;  // natural index -> zigzag position
    // Indexed by symbol: (code << c) << 5 | (code length + c), where c = symbol & 15
    // is the number of value bits that follow; 0 where the symbol has no code.
    std::array<uint32_t, 256> dcCodes;
    std::array<uint32_t, 256> acCodes;
    // The AC entries unpacked, for the hot loop of dense blocks.
    std::array<uint32_t, 256> acBits;
    std::array<uint8_t, 256> acLengths;
};

// Blocks 0..3 are luminance (coded with luminance and the Y predictor),
// block 4 Cb and block 5 Cr (chrominance, their own predictors); samples in
// natural order.
void CodeMcuBlocks(const int32_t* const blocks[6], const SComponentCoding& luminance,
                   const SComponentCoding& chrominance, int32_t predictors[3], CJpegBitWriter& writer);
