// Baseline JFIF encoder for 24-bit bottom-up bitmaps: 4:2:0 chroma, the
// Annex K Huffman tables and fixed integer arithmetic, so that the bytes it
// writes for a picture and a quality are always the same.
#pragma once

#include "imaging/JpegBlockCoder.h"
#include "imaging/JpegPaths.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

class CJpegEncoder {
public:
    // Bytes before the entropy-coded data, with the standard tables.
    static constexpr std::size_t kHeaderSize = 623;

    // The path decides only how fast the bytes are made, never which.
    explicit CJpegEncoder(uint16_t quality, const SJpegPath& path = DefaultJpegPath());

    // Encodes width x height pixels (blue, green, red; rows bottom-up, each
    // padded to 4 bytes) into output. Fails, leaving outLength alone, when a
    // pointer is null, a size lies outside 1..65535 or the file image would
    // need more than capacity bytes; nothing is ever written past capacity.
    bool Encode(const uint8_t* pixels, uint8_t* output, std::size_t capacity, int32_t width, int32_t height,
                std::size_t& outLength);

    // A capacity with which Encode cannot run out of room for this size.
    static std::size_t MaxEncodedSize(int32_t width, int32_t height);

    // The pixels of one MCU row: `count` picture rows (16, fewer at the
    // bottom edge) from row 16 * mcuRow down, stored bottom-up as in a
    // bitmap, rows padded to 4 bytes; null when they can't be had.
    using BandSource = std::function<const uint8_t*(int mcuRow, int count)>;
    // Takes the next piece of the file image; false stops the encoding.
    using Sink = std::function<bool(const uint8_t* bytes, std::size_t count)>;
    // The least working buffer EncodeToSink takes; a larger one means fewer
    // and larger pieces.
    static std::size_t MinSinkBufferSize();

    // Encodes as Encode does, taking the pixels a band at a time and handing
    // the file image to sink in pieces made in buffer, so that neither the
    // whole picture nor the whole file image need be in memory. Fails when a
    // size lies outside 1..65535, the buffer is too small (nothing reaches
    // the sink then), a band is missing or the sink refuses.
    bool EncodeToSink(int32_t width, int32_t height, const BandSource& bands, std::span<uint8_t> buffer,
                      const Sink& sink);

    uint16_t Quality() const { return m_nQuality; }
    const SJpegPath& Path() const { return m_path; }
    uint16_t Scale() const { return m_nScale; }
    const std::array<uint8_t, 64>& LuminanceTable() const { return m_luminanceTable; }
    const std::array<uint8_t, 64>& ChrominanceTable() const { return m_chrominanceTable; }
    const std::array<uint16_t, 64>& LuminanceDivisors() const { return m_luminanceDivisors; }

    // The largest width or height a frame header can state.
    static constexpr int32_t kMaxDimension = 65535;

    // Code and length of every symbol; length 0 marks a symbol without code.
    struct SHuffmanTable {
        std::array<uint32_t, 256> codes;
        std::array<uint8_t, 256> lengths;
        std::array<uint8_t, 17> counts;
        std::array<uint8_t, 256> symbols;
        int symbolCount;
    };

private:
    void BuildQuantisationTables();
    void BuildHuffmanTables();
    void PrepareComponentCoding(SComponentCoding& coding, const std::array<uint16_t, 64>& divisors,
                                const SHuffmanTable& dc, const SHuffmanTable& ac);

    uint8_t* WriteHeaders(uint8_t* cursor) const;
    bool EncodeScan(const uint8_t* pixels, uint8_t* output, std::size_t capacity);
    void GatherRows(const uint8_t* band, int bandRows, std::size_t stride, int mcuColumn, uint8_t* edgeBlock,
                    const uint8_t* rows[16]) const;
    void EncodeMcu(const uint8_t* const rows[16]);

    const SJpegPath& m_path;
    uint16_t m_nQuality;
    uint16_t m_nScale;
    std::array<uint16_t, 64> m_luminanceDivisors;
    std::array<uint16_t, 64> m_chrominanceDivisors;
    std::array<uint8_t, 64> m_luminanceTable;
    std::array<uint8_t, 64> m_chrominanceTable;
    SHuffmanTable m_dcLuminance;
    SHuffmanTable m_acLuminance;
    SHuffmanTable m_dcChrominance;
    SHuffmanTable m_acChrominance;
    SComponentCoding m_luminanceCoding;
    SComponentCoding m_chrominanceCoding;
    uint16_t m_nWidth = 0;
    uint16_t m_nHeight = 0;
    int32_t m_nPredictors[3] = {0, 0, 0}; // last DC of Y, Cb, Cr
    CJpegBitWriter m_bitWriter;
};
