// A deliberately plain encoder that follows the documented arithmetic step by
// step (32-bit accumulator, divisions, per-byte output). The fast encoder
// must produce the same bytes.
#pragma once

#include <cstdint>
#include <vector>

std::vector<uint8_t> ReferenceEncodeJpeg(const uint8_t* pixels, int width, int height, uint16_t quality);

// Walks the entropy-coded data of an encoder output symbol by symbol with the
// Annex K tables. Succeeds when it holds exactly mcuCount MCUs of six blocks,
// no symbol lacks a code and the last byte is padded with 1-bits.
struct SScanWalk {
    bool wellFormed = false;
    int blocks = 0;
    int largestAcMagnitude = 0;
};
SScanWalk WalkScan(const std::vector<uint8_t>& jpeg, int mcuCount);
