#pragma once
// Nearest-pixel stretching of 24-bit bottom-up pixels in memory, taking the
// very pixels the platform's StretchBlt takes in COLORONCOLOR mode, so that a
// picture scaled here equals one scaled by GDI, at a fraction of the cost.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CPixelStretch final {
public:
    // Asks GDI once which source column and row every destination pixel of a
    // `from` to `to` stretch comes from; nullopt when GDI fails.
    static std::optional<CPixelStretch> Measure(SIZE from, SIZE to);
    // Measure's answer, kept for the few pairs of sizes last asked for: every
    // frame of a recording asks for the same.
    static std::shared_ptr<const CPixelStretch> For(SIZE from, SIZE to);

    SIZE From() const { return m_from; }
    SIZE To() const { return m_to; }
    // Fills the `to`-sized pixels (rows padded to 32-bit words) from the
    // `from`-sized ones.
    void Apply(const std::uint8_t* from, std::uint8_t* to) const;

private:
    SIZE m_from{};
    SIZE m_to{};
    // The source column of each destination column, and the source row of
    // each destination row, both counted in memory (bottom-up) order.
    std::vector<int> m_columns;
    std::vector<int> m_rows;
};

// Bytes per row of a 24-bit bitmap of the width.
std::size_t Bgr24Stride(int width);
