#include "imaging/JpegThumbnail.h"

#include "imaging/JpegEntropyReader.h"
#include "imaging/JpegTables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMaxComponents = 3;

struct SComponent {
    int id = 0;
    int h = 1;
    int v = 1;
    int quant = 0;
    int dc = 0;
    int ac = 0;
    int32_t predictor = 0;
};

// What the headers before the scan say.
struct SFrame {
    int width = 0;
    int height = 0;
    int componentCount = 0;
    std::array<SComponent, kMaxComponents> components{};
    int hMax = 1;
    int vMax = 1;
    std::array<std::array<uint16_t, 64>, 4> quant{}; // zigzag order, as stored
    std::array<bool, 4> quantDefined{};
    std::array<CJpegHuffmanTable, 4> dc{};
    std::array<CJpegHuffmanTable, 4> ac{};
    int restartInterval = 0;
    bool rgb = false; // three components that are red, green, blue, not YCbCr
};

int Be16(const uint8_t* bytes) { return bytes[0] << 8 | bytes[1]; }

bool ReadQuantTables(SFrame& frame, const uint8_t* p, std::size_t length)
{
    while (length > 0) {
        const int precision = p[0] >> 4, id = p[0] & 15;
        const std::size_t bytes = precision == 0 ? 64 : 128;
        if (precision > 1 || id > 3 || length < 1 + bytes)
            return false;
        for (int k = 0; k < 64; ++k)
            frame.quant[id][k] = static_cast<uint16_t>(precision == 0 ? p[1 + k] : Be16(p + 1 + 2 * k));
        frame.quantDefined[id] = true;
        p += 1 + bytes;
        length -= 1 + bytes;
    }
    return true;
}

bool ReadHuffmanTables(SFrame& frame, const uint8_t* p, std::size_t length)
{
    while (length > 0) {
        if (length < 17)
            return false;
        const int kind = p[0] >> 4, id = p[0] & 15;
        int count = 0;
        for (int i = 1; i <= 16; ++i)
            count += p[i];
        if (kind > 1 || id > 3 || length < 17 + std::size_t(count))
            return false;
        CJpegHuffmanTable& table = kind == 0 ? frame.dc[id] : frame.ac[id];
        if (!table.Build(p + 1, p + 17, count))
            return false;
        p += 17 + count;
        length -= 17 + std::size_t(count);
    }
    return true;
}

bool ReadFrameHeader(SFrame& frame, const uint8_t* p, std::size_t length)
{
    if (frame.componentCount != 0 || length < 6 || p[0] != 8)
        return false;
    frame.height = Be16(p + 1);
    frame.width = Be16(p + 3);
    frame.componentCount = p[5];
    if (frame.width == 0 || frame.height == 0 || (frame.componentCount != 1 && frame.componentCount != 3) ||
        length < 6 + 3 * std::size_t(frame.componentCount))
        return false;
    for (int c = 0; c < frame.componentCount; ++c) {
        SComponent& component = frame.components[c];
        const uint8_t* fields = p + 6 + 3 * c;
        component = {fields[0], fields[1] >> 4, fields[1] & 15, fields[2], 0, 0, 0};
        if (component.h < 1 || component.h > 2 || component.v < 1 || component.v > 2 || component.quant > 3)
            return false;
        // A single component is scanned block by block whatever its factors say.
        if (frame.componentCount == 1)
            component.h = component.v = 1;
        frame.hMax = std::max(frame.hMax, component.h);
        frame.vMax = std::max(frame.vMax, component.v);
    }
    if (frame.componentCount == 3 && frame.components[0].id == 'R' && frame.components[1].id == 'G' &&
        frame.components[2].id == 'B')
        frame.rgb = true;
    return true;
}

// Only one scan with every component, sequential: what the decoder takes.
bool ReadScanHeader(SFrame& frame, const uint8_t* p, std::size_t length)
{
    const int count = length > 0 ? p[0] : 0;
    if (frame.componentCount == 0 || count != frame.componentCount || length < 4 + 2 * std::size_t(count))
        return false;
    // The scan names the frame's components in the frame's order.
    for (int i = 0; i < count; ++i) {
        const uint8_t* selector = p + 1 + 2 * i;
        SComponent& component = frame.components[i];
        component.dc = selector[1] >> 4;
        component.ac = selector[1] & 15;
        if (selector[0] != component.id || component.dc > 3 || component.ac > 3 ||
            !frame.dc[component.dc].IsDefined() || !frame.ac[component.ac].IsDefined() ||
            !frame.quantDefined[component.quant])
            return false;
    }
    const uint8_t* tail = p + 1 + 2 * count;
    return tail[0] == 0 && tail[1] == 63 && tail[2] == 0;
}

// Along one side of the picture: for each cell of a component, the
// thumbnail pixels it overlaps and by how much (in picture pixels).
class CCellSpans {
public:
    CCellSpans() = default;
    CCellSpans(double cellSize, int cells, int pictureSize, int thumbnailSize)
    {
        const double pixelSize = double(pictureSize) / thumbnailSize;
        m_starts.reserve(std::size_t(cells) + 1);
        for (int cell = 0; cell < cells; ++cell) {
            const double from = cell * cellSize, to = std::min((cell + 1) * cellSize, double(pictureSize));
            for (int pixel = static_cast<int>(from / pixelSize); from < to && pixel < thumbnailSize; ++pixel) {
                const double overlap = std::min(to, (pixel + 1) * pixelSize) - std::max(from, pixel * pixelSize);
                if (overlap <= 0)
                    break;
                m_overlaps.push_back({pixel, static_cast<float>(overlap)});
            }
            m_starts.push_back(static_cast<uint32_t>(m_overlaps.size()));
        }
    }

    struct SOverlap {
        int pixel;
        float share;
    };
    int Cells() const { return static_cast<int>(m_starts.size()) - 1; }
    // The overlaps of a cell (0 <= cell < Cells()); none for one outside the picture.
    const SOverlap* begin(int cell) const { return m_overlaps.data() + m_starts[std::size_t(cell)]; }
    const SOverlap* end(int cell) const { return m_overlaps.data() + m_starts[std::size_t(cell) + 1]; }

private:
    std::vector<uint32_t> m_starts{0};
    std::vector<SOverlap> m_overlaps;
};

// The part of the picture each cell of a block covers, averaged into the
// thumbnail's pixels by the area they share.
class CThumbnailBins {
public:
    CThumbnailBins(const SFrame& frame, int width, int height) : m_frame(frame), m_nWidth(width), m_nHeight(height)
    {
        for (int c = 0; c < frame.componentCount; ++c) {
            m_sums[c].assign(std::size_t(width) * height, 0.0f);
            m_weights[c].assign(std::size_t(width) * height, 0.0f);
        }
    }

    // A component's blocks, `blocksAcross` x `blocksDown` of them, give
    // `across` x `down` cells each.
    void Prepare(int component, int blocksAcross, int blocksDown, int across, int down)
    {
        const SComponent& sampling = m_frame.components[component];
        m_columns[component] =
            CCellSpans(8.0 / across * (m_frame.hMax / sampling.h), blocksAcross * across, m_frame.width, m_nWidth);
        m_rows[component] =
            CCellSpans(8.0 / down * (m_frame.vMax / sampling.v), blocksDown * down, m_frame.height, m_nHeight);
        m_nAcross[component] = across;
        m_nDown[component] = down;
    }

    void Add(int component, int blockX, int blockY, const float* cells)
    {
        const int across = m_nAcross[component], down = m_nDown[component];
        const CCellSpans& columns = m_columns[component];
        const CCellSpans& rows = m_rows[component];
        if (blockX < 0 || blockY < 0 || (blockX + 1) * across > columns.Cells() || (blockY + 1) * down > rows.Cells())
            return;
        float* sums = m_sums[component].data();
        float* weights = m_weights[component].data();
        for (int qy = 0; qy < down; ++qy) {
            const int row = blockY * down + qy;
            for (const CCellSpans::SOverlap* y = rows.begin(row); y != rows.end(row); ++y)
                for (int qx = 0; qx < across; ++qx) {
                    const int column = blockX * across + qx;
                    const float value = cells[qy * across + qx];
                    for (const CCellSpans::SOverlap* x = columns.begin(column); x != columns.end(column); ++x) {
                        const std::size_t pixel = std::size_t(y->pixel) * m_nWidth + x->pixel;
                        const float weight = x->share * y->share;
                        sums[pixel] += value * weight;
                        weights[pixel] += weight;
                    }
                }
        }
    }

    std::vector<uint8_t> Pixels() const
    {
        const std::size_t stride = (3 * std::size_t(m_nWidth) + 3) & ~std::size_t{3};
        std::vector<uint8_t> bgr(stride * m_nHeight, 0);
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x) {
                const std::size_t bin = std::size_t(y) * m_nWidth + x;
                float value[kMaxComponents] = {128, 128, 128};
                for (int c = 0; c < m_frame.componentCount; ++c)
                    if (m_weights[c][bin] > 0)
                        value[c] = m_sums[c][bin] / m_weights[c][bin];
                float red = value[0], green = value[0], blue = value[0];
                if (m_frame.componentCount == 3 && m_frame.rgb) {
                    green = value[1];
                    blue = value[2];
                } else if (m_frame.componentCount == 3) {
                    red = value[0] + 1.402f * (value[2] - 128);
                    green = value[0] - 0.344136f * (value[1] - 128) - 0.714136f * (value[2] - 128);
                    blue = value[0] + 1.772f * (value[1] - 128);
                }
                uint8_t* pixel = bgr.data() + y * stride + 3 * x;
                pixel[0] = Clamp(blue);
                pixel[1] = Clamp(green);
                pixel[2] = Clamp(red);
            }
        return bgr;
    }

private:
    static uint8_t Clamp(float value) { return static_cast<uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f)); }

    const SFrame& m_frame;
    int m_nWidth, m_nHeight;
    std::array<CCellSpans, kMaxComponents> m_columns, m_rows;
    std::array<int, kMaxComponents> m_nAcross{}, m_nDown{};
    std::vector<float> m_sums[kMaxComponents], m_weights[kMaxComponents];
};

// The averages of equal cells of an 8 x 8 block (1, 2, 4 or 8 across and
// down), worked out from its coefficients: the inverse DCT's basis functions
// averaged over each cell.
class CCellTransform {
public:
    CCellTransform() = default;
    CCellTransform(int across, int down) : m_nAcross(across), m_nDown(down), m_bDcOnly(across == 1 && down == 1)
    {
        FillMeans(m_across, across);
        FillMeans(m_down, down);
    }

    int Across() const { return m_nAcross; }
    int Down() const { return m_nDown; }
    // Only the DC coefficient counts: one cell, the block's mean.
    bool IsDcOnly() const { return m_bDcOnly; }

    // Coefficients in natural order; cells row by row, level shift undone.
    void Apply(const float coefficients[64], float* cells) const
    {
        if (IsDcOnly()) {
            cells[0] = 128 + m_across[0][0] * m_down[0][0] * coefficients[0];
            return;
        }
        float rows[8][8];
        for (int v = 0; v < 8; ++v)
            for (int q = 0; q < m_nAcross; ++q) {
                float sum = 0;
                for (int u = 0; u < 8; ++u)
                    sum += m_across[q][u] * coefficients[v * 8 + u];
                rows[v][q] = sum;
            }
        for (int qy = 0; qy < m_nDown; ++qy)
            for (int qx = 0; qx < m_nAcross; ++qx) {
                float sum = 128;
                for (int v = 0; v < 8; ++v)
                    sum += m_down[qy][v] * rows[v][qx];
                cells[qy * m_nAcross + qx] = sum;
            }
    }

private:
    static void FillMeans(float means[8][8], int cells)
    {
        const int span = 8 / cells;
        for (int q = 0; q < cells; ++q)
            for (int u = 0; u < 8; ++u) {
                double sum = 0;
                for (int x = q * span; x < (q + 1) * span; ++x)
                    sum += (u == 0 ? std::sqrt(0.5) : 1.0) * 0.5 * std::cos((2 * x + 1) * u * std::numbers::pi / 16);
                means[q][u] = static_cast<float>(sum / span);
            }
    }

    int m_nAcross = 1;
    int m_nDown = 1;
    bool m_bDcOnly = true;
    float m_across[8][8] = {};
    float m_down[8][8] = {};
};

class CScanDecoder {
public:
    // `cells` across and down a luminance block; a subsampled component's
    // blocks take more, so that its cells cover as much of the picture.
    CScanDecoder(SFrame& frame, CThumbnailBins& bins, int cells) : m_frame(frame), m_bins(bins)
    {
        const bool interleaved = frame.componentCount > 1;
        m_nUnitWidth = 8 * (interleaved ? frame.hMax : 1);
        m_nUnitHeight = 8 * (interleaved ? frame.vMax : 1);
        m_nColumns = (frame.width + m_nUnitWidth - 1) / m_nUnitWidth;
        m_nRows = (frame.height + m_nUnitHeight - 1) / m_nUnitHeight;
        for (int c = 0; c < frame.componentCount; ++c) {
            const SComponent& component = frame.components[c];
            m_transforms[c] = CCellTransform(std::min(8, cells * frame.hMax / component.h),
                                             std::min(8, cells * frame.vMax / component.v));
            bins.Prepare(c, m_nColumns * component.h, m_nRows * component.v, m_transforms[c].Across(),
                         m_transforms[c].Down());
        }
    }

    // Stops at the end of the data or at damage; what was decoded stays.
    void Run(const uint8_t* data, std::size_t size)
    {
        CJpegEntropyReader reader(data, size);
        int sinceRestart = 0;
        for (int row = 0; row < m_nRows; ++row)
            for (int column = 0; column < m_nColumns; ++column) {
                if (m_frame.restartInterval > 0 && sinceRestart == m_frame.restartInterval) {
                    reader.Restart();
                    for (SComponent& component : m_frame.components)
                        component.predictor = 0;
                    sinceRestart = 0;
                }
                if (reader.IsExhausted() || !DecodeUnit(reader, column, row))
                    return;
                ++sinceRestart;
            }
    }

private:
    bool DecodeUnit(CJpegEntropyReader& reader, int column, int row)
    {
        float coefficients[64];
        float cells[64];
        for (int c = 0; c < m_frame.componentCount; ++c) {
            SComponent& component = m_frame.components[c];
            for (int y = 0; y < component.v; ++y)
                for (int x = 0; x < component.h; ++x) {
                    const CCellTransform& transform = m_transforms[c];
                    if (!reader.DecodeBlock(m_frame.dc[component.dc], m_frame.ac[component.ac],
                                            m_frame.quant[component.quant].data(), transform.IsDcOnly(),
                                            component.predictor, coefficients))
                        return false;
                    transform.Apply(coefficients, cells);
                    m_bins.Add(c, column * component.h + x, row * component.v + y, cells);
                }
        }
        return true;
    }

    SFrame& m_frame;
    CThumbnailBins& m_bins;
    std::array<CCellTransform, kMaxComponents> m_transforms{};
    int m_nUnitWidth, m_nUnitHeight; // picture pixels of an MCU (or a block, alone in its scan)
    int m_nColumns, m_nRows;         // MCUs across and down
};

// The fewest cells a block side that are no larger than a thumbnail pixel.
int CellsPerBlockSide(const SFrame& frame, int width, int height)
{
    for (int cells : {1, 2, 4})
        if (8 * width <= cells * frame.width && 8 * height <= cells * frame.height)
            return cells;
    return 8;
}

bool IsUnsupportedFrame(int marker)
{
    // Progressive, lossless, hierarchical and arithmetic-coded frames.
    return marker == 0xC2 || marker == 0xC3 || (marker >= 0xC5 && marker <= 0xC7) ||
           (marker >= 0xC9 && marker <= 0xCB) || (marker >= 0xCD && marker <= 0xCF);
}

} // namespace

std::optional<std::vector<uint8_t>> JpegThumbnail(const uint8_t* data, std::size_t size, int width, int height)
{
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8 || width < 1 || height < 1 || width > 4096 ||
        height > 4096)
        return std::nullopt;
    SFrame frame;
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            return std::nullopt;
        const int marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(Be16(data + at + 2));
        if (marker == 0xD9 || length < 2 || at + 2 + length > size || IsUnsupportedFrame(marker))
            return std::nullopt;
        const uint8_t* payload = data + at + 4;
        const std::size_t payloadLength = length - 2;
        bool read = true;
        if (marker == 0xC0 || marker == 0xC1)
            read = ReadFrameHeader(frame, payload, payloadLength);
        else if (marker == 0xC4)
            read = ReadHuffmanTables(frame, payload, payloadLength);
        else if (marker == 0xDB)
            read = ReadQuantTables(frame, payload, payloadLength);
        else if (marker == 0xDD && payloadLength >= 2)
            frame.restartInterval = Be16(payload);
        else if (marker == 0xDD)
            read = false;
        else if (marker == 0xEE && payloadLength >= 12 && std::equal(payload, payload + 5, "Adobe"))
            frame.rgb = frame.rgb || payload[11] == 0;
        if (!read)
            return std::nullopt;
        if (marker == 0xDA) {
            if (!ReadScanHeader(frame, payload, payloadLength))
                return std::nullopt;
            const int cells = CellsPerBlockSide(frame, width, height);
            CThumbnailBins bins(frame, width, height);
            CScanDecoder(frame, bins, cells).Run(data + at + 2 + length, size - (at + 2 + length));
            return bins.Pixels();
        }
        at += 2 + length;
    }
    return std::nullopt;
}
