#include "imaging/JpegEncoder.h"

#include "imaging/JpegBlockCoder.h"
#include "imaging/JpegTables.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

using jpeg_tables::kZigzag;

// The markers the encoder writes (T.81 Table B.1).
enum EJpegMarker : int {
    kMarkerSof0 = 0xFFC0, // start of frame, baseline DCT
    kMarkerDht = 0xFFC4,  // define Huffman tables
    kMarkerSoi = 0xFFD8,  // start of image
    kMarkerEoi = 0xFFD9,  // end of image
    kMarkerSos = 0xFFDA,  // start of scan
    kMarkerDqt = 0xFFDB,  // define quantisation tables
    kMarkerApp0 = 0xFFE0, // the JFIF header
};

// Largest coded block: DC code (<= 11 bits) plus 11 value bits, then 63 AC
// symbols of at most 16 + 10 bits. Six blocks, up to 7 bits still pending
// from earlier, and every byte possibly doubled by stuffing.
constexpr std::size_t kMaxBlockBits = 22 + 63 * 26;
constexpr std::size_t kMaxMcuBytes = 2 * ((6 * kMaxBlockBits + 7) / 8 + 1);
// Room an MCU may touch: what it keeps plus the writer's store slack.
constexpr std::size_t kMcuWorkBytes = kMaxMcuBytes + CJpegBitWriter::kStoreSlack;
// Flush of the last partial byte (maybe stuffed) and the EOI marker.
constexpr std::size_t kMaxTailBytes = 2 + 2;

int QualityToScale(uint16_t quality)
{
    const int clamped = std::clamp<int>(quality, 1, 100);
    return clamped < 50 ? 5000 / clamped : 200 - 2 * clamped;
}

uint8_t ScaleQuantValue(int base, int scale)
{
    const int value = (base * scale + 50) / 100;
    return static_cast<uint8_t>(std::clamp(value, 1, 255));
}

// Builds codes from the code-length counts as T.81 Annex C (Figures C.1 to
// C.3) describes.
CJpegEncoder::SHuffmanTable BuildHuffmanTable(const jpeg_tables::SHuffmanLists& lists)
{
    CJpegEncoder::SHuffmanTable table{};
    table.counts = lists.counts;
    table.symbolCount = lists.symbolCount;
    std::copy_n(lists.symbols.begin(), lists.symbolCount, table.symbols.begin());
    uint32_t code = 0;
    int entry = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < lists.counts[length]; ++i, ++entry) {
            const uint8_t symbol = lists.symbols[entry];
            table.codes[symbol] = code++;
            table.lengths[symbol] = static_cast<uint8_t>(length);
        }
        code <<= 1;
    }
    return table;
}

// (code << category) << 5 | (length + category), category being the low
// nibble; at most 16 + 11 code and value bits, so it fits 32 bits.
uint32_t PackSymbol(const CJpegEncoder::SHuffmanTable& table, int symbol)
{
    if (table.lengths[symbol] == 0)
        return 0;
    const int category = symbol & 15;
    return (table.codes[symbol] << category) << 5 | (table.lengths[symbol] + category);
}

class CByteAppender {
public:
    explicit CByteAppender(uint8_t* cursor) : m_pCursor(cursor) {}
    void Byte(int value) { *m_pCursor++ = static_cast<uint8_t>(value); }
    void Word(int value)
    {
        Byte(value >> 8);
        Byte(value & 0xFF);
    }
    void Bytes(const uint8_t* source, std::size_t count)
    {
        std::memcpy(m_pCursor, source, count);
        m_pCursor += count;
    }
    uint8_t* Cursor() const { return m_pCursor; }

private:
    uint8_t* m_pCursor;
};

void AppendQuantTable(CByteAppender& out, int identifier, const std::array<uint8_t, 64>& table)
{
    out.Word(kMarkerDqt);
    out.Word(67);
    out.Byte(identifier);
    for (int k = 0; k < 64; ++k)
        out.Byte(table[kZigzag[k]]);
}

void AppendHuffmanTable(CByteAppender& out, int classAndIdentifier, const CJpegEncoder::SHuffmanTable& table)
{
    out.Word(kMarkerDht);
    out.Word(19 + table.symbolCount);
    out.Byte(classAndIdentifier);
    out.Bytes(table.counts.data() + 1, 16);
    out.Bytes(table.symbols.data(), table.symbolCount);
}

} // namespace

CJpegEncoder::CJpegEncoder(uint16_t quality, const SJpegPath& path)
    : m_path(path), m_nQuality(quality), m_nScale(static_cast<uint16_t>(QualityToScale(quality)))
{
    BuildQuantisationTables();
    BuildHuffmanTables();
    PrepareComponentCoding(m_luminanceCoding, m_luminanceDivisors, m_dcLuminance, m_acLuminance);
    PrepareComponentCoding(m_chrominanceCoding, m_chrominanceDivisors, m_dcChrominance, m_acChrominance);
}

void CJpegEncoder::BuildQuantisationTables()
{
    for (int i = 0; i < 64; ++i) {
        m_luminanceTable[i] = ScaleQuantValue(jpeg_tables::kBaseLuminanceQuant[i], m_nScale);
        m_chrominanceTable[i] = ScaleQuantValue(jpeg_tables::kBaseChrominanceQuant[i], m_nScale);
        const uint32_t dctScale = jpeg_tables::kDctScale[i];
        m_luminanceDivisors[i] = static_cast<uint16_t>((m_luminanceTable[i] * dctScale + 1024) >> 11);
        m_chrominanceDivisors[i] = static_cast<uint16_t>((m_chrominanceTable[i] * dctScale + 1024) >> 11);
    }
}

void CJpegEncoder::BuildHuffmanTables()
{
    m_dcLuminance = BuildHuffmanTable(jpeg_tables::kDcLuminance);
    m_acLuminance = BuildHuffmanTable(jpeg_tables::kAcLuminance);
    m_dcChrominance = BuildHuffmanTable(jpeg_tables::kDcChrominance);
    m_acChrominance = BuildHuffmanTable(jpeg_tables::kAcChrominance);
}

void CJpegEncoder::PrepareComponentCoding(SComponentCoding& coding, const std::array<uint16_t, 64>& divisors,
                                          const SHuffmanTable& dc, const SHuffmanTable& ac)
{
    coding.quantiser.Prepare(divisors);
    for (int k = 0; k < 64; ++k)
        coding.zigzagPositions[kZigzag[k]] = static_cast<uint8_t>(k);
    // One load per symbol gives its code already shifted above the value
    // bits, whose count is the symbol's low nibble, and the total length.
    for (int symbol = 0; symbol < 256; ++symbol) {
        coding.dcCodes[symbol] = PackSymbol(dc, symbol);
        coding.acCodes[symbol] = PackSymbol(ac, symbol);
        coding.acBits[symbol] = coding.acCodes[symbol] >> 5;
        coding.acLengths[symbol] = static_cast<uint8_t>(coding.acCodes[symbol] & 31);
    }
}

std::size_t CJpegEncoder::MaxEncodedSize(int32_t width, int32_t height)
{
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension)
        return kHeaderSize + kMaxTailBytes;
    const uint64_t mcuCount = uint64_t((width + 15) / 16) * uint64_t((height + 15) / 16);
    const uint64_t bound = kHeaderSize + mcuCount * kMaxMcuBytes + kMaxTailBytes;
    return bound > std::numeric_limits<std::size_t>::max() ? std::numeric_limits<std::size_t>::max()
                                                           : static_cast<std::size_t>(bound);
}

std::size_t CJpegEncoder::MinSinkBufferSize() { return kHeaderSize + kMcuWorkBytes + kMaxTailBytes; }

bool CJpegEncoder::EncodeToSink(int32_t width, int32_t height, const BandSource& bands, std::span<uint8_t> buffer,
                                const Sink& sink)
{
    if (buffer.size() < MinSinkBufferSize() || width < 1 || height < 1 || width > kMaxDimension ||
        height > kMaxDimension)
        return false;
    m_nWidth = static_cast<uint16_t>(width);
    m_nHeight = static_cast<uint16_t>(height);
    uint8_t* const start = buffer.data();
    // Below this point an MCU, and then the end of the scan, still fit; a
    // piece that reaches it is handed on.
    uint8_t* const full = start + buffer.size() - kMcuWorkBytes - kMaxTailBytes;
    const auto handOn = [&] {
        if (!sink(start, static_cast<std::size_t>(m_bitWriter.Cursor() - start)))
            return false;
        m_bitWriter.SetCursor(start);
        return true;
    };
    const std::size_t stride = (3 * std::size_t{m_nWidth} + 3) & ~std::size_t{3};
    const int mcuRows = (m_nHeight + 15) / 16;
    const int mcuColumns = (m_nWidth + 15) / 16;
    m_nPredictors[0] = m_nPredictors[1] = m_nPredictors[2] = 0;
    m_bitWriter.Reset(WriteHeaders(start));
    alignas(16) uint8_t edgeBlock[16 * 48];
    const uint8_t* rows[16];
    for (int mcuRow = 0; mcuRow < mcuRows; ++mcuRow) {
        const int bandRows = std::min(16, m_nHeight - 16 * mcuRow);
        const uint8_t* band = bands(mcuRow, bandRows);
        if (band == nullptr)
            return false;
        for (int mcuColumn = 0; mcuColumn < mcuColumns; ++mcuColumn) {
            GatherRows(band, bandRows, stride, mcuColumn, edgeBlock, rows);
            EncodeMcu(rows);
            if (m_bitWriter.Cursor() >= full && !handOn())
                return false;
        }
    }
    m_bitWriter.Flush();
    uint8_t* cursor = m_bitWriter.Cursor();
    *cursor++ = 0xFF;
    *cursor++ = 0xD9;
    m_bitWriter.SetCursor(cursor);
    return handOn();
}

bool CJpegEncoder::Encode(const uint8_t* pixels, uint8_t* output, std::size_t capacity, int32_t width, int32_t height,
                          std::size_t& outLength)
{
    if (pixels == nullptr || output == nullptr || capacity < kHeaderSize)
        return false;
    m_nWidth = static_cast<uint16_t>(width);
    m_nHeight = static_cast<uint16_t>(height);
    WriteHeaders(output);
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension)
        return false;
    if (!EncodeScan(pixels, output, capacity))
        return false;
    outLength = static_cast<std::size_t>(m_bitWriter.Cursor() - output);
    return true;
}

uint8_t* CJpegEncoder::WriteHeaders(uint8_t* cursor) const
{
    static const uint8_t kJfif[] = {0x00, 0x10, 'J',  'F',  'I',  'F',  0x00, 0x01,
                                    0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};
    CByteAppender out(cursor);
    out.Word(kMarkerSoi);
    out.Word(kMarkerApp0);
    out.Bytes(kJfif, sizeof kJfif);
    AppendQuantTable(out, 0, m_luminanceTable);
    AppendQuantTable(out, 1, m_chrominanceTable);

    out.Word(kMarkerSof0);
    out.Word(17);
    out.Byte(8);
    out.Word(m_nHeight);
    out.Word(m_nWidth);
    static const uint8_t kComponents[] = {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
    out.Bytes(kComponents, sizeof kComponents);

    AppendHuffmanTable(out, 0x00, m_dcLuminance);
    AppendHuffmanTable(out, 0x10, m_acLuminance);
    AppendHuffmanTable(out, 0x01, m_dcChrominance);
    AppendHuffmanTable(out, 0x11, m_acChrominance);

    static const uint8_t kScan[] = {0x00, 0x0C, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
    out.Word(kMarkerSos);
    out.Bytes(kScan, sizeof kScan);
    return out.Cursor();
}

bool CJpegEncoder::EncodeScan(const uint8_t* pixels, uint8_t* output, std::size_t capacity)
{
    const std::size_t stride = (3 * std::size_t{m_nWidth} + 3) & ~std::size_t{3};
    const int mcuRows = (m_nHeight + 15) / 16;
    const int mcuColumns = (m_nWidth + 15) / 16;
    uint8_t* const end = output + capacity;
    m_nPredictors[0] = m_nPredictors[1] = m_nPredictors[2] = 0;
    m_bitWriter.Reset(output + kHeaderSize);

    // Near the end of the buffer an MCU is coded into staging first and
    // copied only if it fits, so nothing is written past the capacity.
    alignas(16) uint8_t staging[kMcuWorkBytes];
    const auto fitsThroughStaging = [&](auto&& code) {
        uint8_t* const cursor = m_bitWriter.Cursor();
        if (static_cast<std::size_t>(end - cursor) >= kMcuWorkBytes) {
            code();
            return true;
        }
        m_bitWriter.SetCursor(staging);
        code();
        const std::size_t produced = static_cast<std::size_t>(m_bitWriter.Cursor() - staging);
        if (produced > static_cast<std::size_t>(end - cursor))
            return false;
        std::memcpy(cursor, staging, produced);
        m_bitWriter.SetCursor(cursor + produced);
        return true;
    };

    alignas(16) uint8_t edgeBlock[16 * 48];
    const uint8_t* rows[16];
    for (int mcuRow = 0; mcuRow < mcuRows; ++mcuRow) {
        const int bandRows = std::min(16, m_nHeight - 16 * mcuRow);
        const uint8_t* band = pixels + std::size_t(m_nHeight - 16 * mcuRow - bandRows) * stride;
        for (int mcuColumn = 0; mcuColumn < mcuColumns; ++mcuColumn) {
            GatherRows(band, bandRows, stride, mcuColumn, edgeBlock, rows);
            if (!fitsThroughStaging([&] { EncodeMcu(rows); }))
                return false;
        }
    }
    return fitsThroughStaging([&] {
        m_bitWriter.Flush();
        uint8_t* cursor = m_bitWriter.Cursor();
        *cursor++ = static_cast<uint8_t>(kMarkerEoi >> 8);
        *cursor++ = static_cast<uint8_t>(kMarkerEoi & 0xFF);
        m_bitWriter.SetCursor(cursor);
    });
}

void CJpegEncoder::GatherRows(const uint8_t* band, int bandRows, std::size_t stride, int mcuColumn, uint8_t* edgeBlock,
                              const uint8_t* rows[16]) const
{
    const int firstColumn = 16 * mcuColumn;
    const int columnsAvailable = std::min(16, m_nWidth - firstColumn);
    for (int j = 0; j < 16; ++j) {
        // The bottom edge repeats the band's last row; rows are stored bottom-up.
        const int bandRow = std::min(j, bandRows - 1);
        const uint8_t* source = band + std::size_t(bandRows - 1 - bandRow) * stride + 3 * std::size_t(firstColumn);
        if (columnsAvailable == 16) {
            rows[j] = source;
            continue;
        }
        // The right edge repeats the last picture column.
        uint8_t* target = edgeBlock + j * 48;
        std::memcpy(target, source, 3 * std::size_t(columnsAvailable));
        for (int i = columnsAvailable; i < 16; ++i)
            std::memcpy(target + 3 * i, source + 3 * (columnsAvailable - 1), 3);
        rows[j] = target;
    }
}

void CJpegEncoder::EncodeMcu(const uint8_t* const rows[16])
{
    m_path.encodeMcu(rows, m_luminanceCoding, m_chrominanceCoding, m_nPredictors, m_bitWriter);
}
