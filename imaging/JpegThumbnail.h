// Small pictures straight from JPEG files, for lists of thumbnails. Of each
// 8 x 8 block only the averages of a few cells are worked out from its
// coefficients, never the block's 64 pixels, and the cells are averaged into
// the small picture by the area they share with each of its pixels: a
// thumbnail then costs little more than reading the entropy-coded data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A width x height picture of the JPEG file image at data, each pixel the
// average of the part of the picture it covers (aspect ignored), as blue,
// green, red rows from the top, each padded to 4 bytes. Nullopt for what it
// does not take: anything but a sequential Huffman-coded picture of 8-bit
// samples with one component, or three in one scan, sampling factors of 1 or
// 2, or headers that are damaged. Entropy-coded data that ends early or is
// damaged leaves the rest of the picture mid-grey.
std::optional<std::vector<uint8_t>> JpegThumbnail(const uint8_t* data, std::size_t size, int width, int height);
