#include "CameraPicture.h"

#include <algorithm>
#include <cmath>
#include <random>

SCameraPicture MakeCameraPicture(int width, int height)
{
    SCameraPicture picture;
    picture.width = width;
    picture.height = height;
    picture.stride = (3 * std::size_t(width) + 3) & ~std::size_t{3};
    picture.bits.assign(picture.stride * height, 0);
    std::mt19937 random(42);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width, fy = double(y) / height;
            const bool object = std::hypot(fx - 0.5, fy - 0.5) < 0.25;
            const int noise = int(random() % 9) - 4;
            uint8_t* pixel = &picture.bits[y * picture.stride + 3 * x];
            const double base[3] = {90 + 70 * std::sin(7 * fx + fy), 120 + 60 * std::cos(5 * fy - 2 * fx),
                                    object ? 200.0 : 60 + 100 * fx * fy};
            for (int c = 0; c < 3; ++c)
                pixel[c] = uint8_t(std::clamp(int(base[c]) + noise, 0, 255));
        }
    return picture;
}
