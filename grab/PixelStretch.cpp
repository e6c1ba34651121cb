#include "grab/PixelStretch.h"

#include "grab/DibSectionDC.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

constexpr int kBytesPerPixel = 3;
constexpr std::size_t kKeptStretches = 8;

// Where the pixel of memory index `index` lies in a one-pixel line: a row of
// pixels side by side, or a column of rows each padded to 4 bytes.
std::size_t LineOffset(int index, bool row) { return static_cast<std::size_t>(index) * (row ? kBytesPerPixel : 4); }

// The source index each destination pixel takes along one axis: a line of
// pixels that carry their own index as colour, stretched by GDI and read back.
std::vector<int> SourceIndices(int from, int to, bool row)
{
    std::optional<CDibSectionDC> source = CDibSectionDC::Create(nullptr, row ? from : 1, row ? 1 : from);
    std::optional<CDibSectionDC> target = CDibSectionDC::Create(nullptr, row ? to : 1, row ? 1 : to);
    if (!source || !target)
        return {};
    std::uint8_t* in = source->Bits();
    for (int index = 0; index < from; ++index) {
        std::uint8_t* pixel = in + LineOffset(index, row);
        pixel[0] = static_cast<std::uint8_t>(index);
        pixel[1] = static_cast<std::uint8_t>(index >> 8);
        pixel[2] = static_cast<std::uint8_t>(index >> 16);
    }
    ::SetStretchBltMode(target->DC(), COLORONCOLOR);
    if (!::StretchBlt(target->DC(), 0, 0, row ? to : 1, row ? 1 : to, source->DC(), 0, 0, row ? from : 1,
                      row ? 1 : from, SRCCOPY))
        return {};
    ::GdiFlush();
    std::vector<int> indices(static_cast<std::size_t>(to));
    const std::uint8_t* out = target->Bits();
    for (int index = 0; index < to; ++index) {
        const std::uint8_t* pixel = out + LineOffset(index, row);
        indices[static_cast<std::size_t>(index)] = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
        if (indices[static_cast<std::size_t>(index)] >= from)
            return {};
    }
    return indices;
}

} // namespace

std::size_t Bgr24Stride(int width) { return (static_cast<std::size_t>(width) * kBytesPerPixel + 3) & ~std::size_t{3}; }

std::optional<CPixelStretch> CPixelStretch::Measure(SIZE from, SIZE to)
{
    CPixelStretch stretch;
    stretch.m_from = from;
    stretch.m_to = to;
    stretch.m_columns = SourceIndices(from.cx, to.cx, true);
    stretch.m_rows = SourceIndices(from.cy, to.cy, false);
    if (stretch.m_columns.empty() || stretch.m_rows.empty())
        return std::nullopt;
    return stretch;
}

std::shared_ptr<const CPixelStretch> CPixelStretch::For(SIZE from, SIZE to)
{
    static std::mutex lock;
    static std::vector<std::shared_ptr<const CPixelStretch>> kept;
    const auto same = [&](const std::shared_ptr<const CPixelStretch>& stretch) {
        return stretch->m_from.cx == from.cx && stretch->m_from.cy == from.cy && stretch->m_to.cx == to.cx &&
               stretch->m_to.cy == to.cy;
    };
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = std::find_if(kept.begin(), kept.end(), same);
        if (found != kept.end())
            return *found;
    }
    std::optional<CPixelStretch> measured = Measure(from, to);
    if (!measured)
        return {};
    auto stretch = std::make_shared<const CPixelStretch>(std::move(*measured));
    const std::lock_guard<std::mutex> hold(lock);
    if (kept.size() == kKeptStretches)
        kept.erase(kept.begin());
    kept.push_back(stretch);
    return stretch;
}

void CPixelStretch::Apply(const std::uint8_t* from, std::uint8_t* to) const
{
    const std::size_t fromStride = Bgr24Stride(m_from.cx);
    const std::size_t toStride = Bgr24Stride(m_to.cx);
    const std::uint8_t* previousSource = nullptr;
    for (int row = 0; row < m_to.cy; ++row) {
        const std::uint8_t* source =
            from + fromStride * static_cast<std::size_t>(m_rows[static_cast<std::size_t>(row)]);
        std::uint8_t* target = to + toStride * static_cast<std::size_t>(row);
        // Enlarged pictures repeat whole rows: one copy instead of a pixel walk.
        if (source == previousSource) {
            std::memcpy(target, target - toStride, toStride);
            continue;
        }
        previousSource = source;
        for (const int column : m_columns) {
            const std::uint8_t* pixel = source + static_cast<std::size_t>(column) * kBytesPerPixel;
            *target++ = pixel[0];
            *target++ = pixel[1];
            *target++ = pixel[2];
        }
    }
}
