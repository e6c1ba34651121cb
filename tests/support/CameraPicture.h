// Camera-like test content for the JPEG benchmarks: smooth shading, the
// edges of an object and sensor noise, the same bytes on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct SCameraPicture {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::vector<uint8_t> bits; // bottom-up blue, green, red rows padded to 4 bytes
};

SCameraPicture MakeCameraPicture(int width, int height);
