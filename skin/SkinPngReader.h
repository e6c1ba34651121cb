#pragma once
// PNG images of skins, decoded from memory with libpng.

#include "skin/SkinPixels.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tavrelin::skin {

// True when the bytes start with the PNG signature byte 0x89 and "PNG".
bool LooksLikeSkinPng(const std::uint8_t* data, size_t size);

// Any colour type and depth is expanded to 8-bit colour with alpha; a file's
// gAMA is corrected to a 2.2 screen. A damaged or oversized file gives nothing.
std::optional<SkinPixels> DecodeSkinPng(const std::uint8_t* data, size_t size);

} // namespace tavrelin::skin
