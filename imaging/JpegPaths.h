// The encoder's hot loops exist once per instruction set; the processor
// decides at run time which of them an encoder uses. Every path writes the
// same bytes as the portable one.
#pragma once

#include "imaging/JpegBitWriter.h"
#include "imaging/JpegBlockCoder.h"

#include <cstdint>
#include <span>
#include <string_view>

struct SJpegPath {
    const char* name;     // what TAVRELIN_JPEG_PATH names it by
    const char* features; // the processor features it needs
    bool (*isSupported)();
    // rows[j] points at the 16 pixels (blue, green, red) of MCU row j, from
    // the top; samples are level-shifted, blocks in natural order.
    void (*convertColours)(const uint8_t* const rows[16], int32_t luminance[4][64], int32_t blueDifference[64],
                           int32_t redDifference[64]);
    // Converts, transforms and codes one 16 x 16 MCU into the writer.
    void (*encodeMcu)(const uint8_t* const rows[16], const SComponentCoding& luminance,
                      const SComponentCoding& chrominance, int32_t predictors[3], CJpegBitWriter& writer);
};

// Every path built into this program, the portable one first, faster ones
// after it.
std::span<const SJpegPath> JpegPaths();

// The portable path, which runs on any processor.
const SJpegPath& PortableJpegPath();

// The path named, if it is built in and this processor runs it.
const SJpegPath* FindSupportedJpegPath(std::string_view name);

// The path wanted, if this processor runs it; otherwise (or for null) the
// last, fastest one it runs.
const SJpegPath& ChooseJpegPath(const char* wanted);

// The path the environment variable TAVRELIN_JPEG_PATH chooses, once per
// process: a way to compare paths and to rule one out on a user's machine.
const SJpegPath& DefaultJpegPath();
