#include "ReferenceJpegEncoder.h"

#include "imaging/JpegEncoder.h"
#include "imaging/JpegTables.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using jpeg_tables::kZigzag;

struct SReferenceState {
    std::vector<uint8_t> out;
    int bitCount = 0;
    uint32_t accumulator = 0;
    int predictors[3] = {0, 0, 0};
    uint16_t divisors[2][64];
    const CJpegEncoder::SHuffmanTable* tables[4]; // DC lum, AC lum, DC chrom, AC chrom
};

void EmitBits(SReferenceState& state, uint32_t value, int count)
{
    state.bitCount += count;
    state.accumulator |= (value & ((1u << count) - 1)) << (24 - state.bitCount);
    while (state.bitCount >= 8) {
        const uint8_t byte = static_cast<uint8_t>(state.accumulator >> 16);
        state.out.push_back(byte);
        if (byte == 0xFF)
            state.out.push_back(0);
        state.accumulator <<= 8;
        state.bitCount -= 8;
    }
}

int Category(int value)
{
    int magnitude = value < 0 ? -value : value, bits = 0;
    while (magnitude > 0) {
        ++bits;
        magnitude >>= 1;
    }
    return bits;
}

void EmitValue(SReferenceState& state, int value, int category)
{
    if (category > 0)
        EmitBits(state, static_cast<uint32_t>(value < 0 ? value - 1 : value), category);
}

int M(int x, int c) { return (x * c) >> 8; }

void Dct1(int* d, int step)
{
    int t0 = d[0] + d[7 * step], t7 = d[0] - d[7 * step];
    int t1 = d[step] + d[6 * step], t6 = d[step] - d[6 * step];
    int t2 = d[2 * step] + d[5 * step], t5 = d[2 * step] - d[5 * step];
    int t3 = d[3 * step] + d[4 * step], t4 = d[3 * step] - d[4 * step];
    int t10 = t0 + t3, t13 = t0 - t3, t11 = t1 + t2, t12 = t1 - t2;
    d[0] = t10 + t11;
    d[4 * step] = t10 - t11;
    int z1 = M(t12 + t13, 181);
    d[2 * step] = t13 + z1;
    d[6 * step] = t13 - z1;
    t10 = t4 + t5;
    t11 = t5 + t6;
    t12 = t6 + t7;
    int z5 = M(t10 - t12, 98), z2 = M(t10, 139) + z5, z4 = M(t12, 334) + z5, z3 = M(t11, 181);
    int z11 = t7 + z3, z13 = t7 - z3;
    d[5 * step] = z13 + z2;
    d[3 * step] = z13 - z2;
    d[step] = z11 + z4;
    d[7 * step] = z11 - z4;
}

void CodeBlock(SReferenceState& state, const int* samples, int kind, int& predictor)
{
    int work[64];
    std::memcpy(work, samples, sizeof work);
    for (int row = 0; row < 8; ++row)
        Dct1(work + row * 8, 1);
    for (int col = 0; col < 8; ++col)
        Dct1(work + col, 8);
    for (int i = 0; i < 64; ++i) {
        const int d = state.divisors[kind][i], c = work[i];
        work[i] = c >= 0 ? (c + d / 2) / d : -((-c + d / 2) / d);
    }
    const auto& dc = *state.tables[kind * 2];
    const auto& ac = *state.tables[kind * 2 + 1];
    const int diff = work[0] - predictor;
    predictor = work[0];
    const int s = Category(diff);
    EmitBits(state, dc.codes[s], dc.lengths[s]);
    EmitValue(state, diff, s);
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        // The same clamp as the encoder: category 11 has no AC code.
        const int v = std::clamp(work[kZigzag[k]], -1023, 1023);
        if (v == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16)
            EmitBits(state, ac.codes[0xF0], ac.lengths[0xF0]);
        const int size = Category(v);
        EmitBits(state, ac.codes[run * 16 + size], ac.lengths[run * 16 + size]);
        EmitValue(state, v, size);
        run = 0;
    }
    if (run > 0)
        EmitBits(state, ac.codes[0], ac.lengths[0]);
}

void CodeMcu(SReferenceState& state, const uint8_t* block)
{
    int y[4][64], cb[64], cr[64];
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const uint8_t* p = block + (j * 16 + i) * 3;
            const int b = p[0], g = p[1], r = p[2];
            y[(j / 8) * 2 + i / 8][(j % 8) * 8 + i % 8] = ((19595 * r + 38470 * g + 7471 * b + 32768) >> 16) - 128;
            if (j % 2 == 0 && i % 2 == 0) {
                cb[(j / 2) * 8 + i / 2] = ((-11059 * r - 21709 * g + 32768 * b + 8421375) >> 16) - 128;
                cr[(j / 2) * 8 + i / 2] = ((32768 * r - 27439 * g - 5329 * b + 8421375) >> 16) - 128;
            }
        }
    for (auto& block8 : y)
        CodeBlock(state, block8, 0, state.predictors[0]);
    CodeBlock(state, cb, 1, state.predictors[1]);
    CodeBlock(state, cr, 1, state.predictors[2]);
}

// Codes assigned from the list of code lengths, as T.81 Annex C lists them.
CJpegEncoder::SHuffmanTable ReferenceHuffmanTable(const jpeg_tables::SHuffmanLists& lists)
{
    std::vector<int> lengths;
    for (int length = 1; length <= 16; ++length)
        for (int i = 0; i < lists.counts[length]; ++i)
            lengths.push_back(length);
    lengths.push_back(0);
    CJpegEncoder::SHuffmanTable table{};
    uint32_t code = 0;
    int current = lengths[0];
    for (std::size_t i = 0; lengths[i] != 0;) {
        while (lengths[i] == current) {
            table.codes[lists.symbols[i]] = code++;
            table.lengths[lists.symbols[i]] = static_cast<uint8_t>(current);
            ++i;
        }
        code <<= 1;
        ++current;
    }
    return table;
}

} // namespace

std::vector<uint8_t> ReferenceEncodeJpeg(const uint8_t* pixels, int width, int height, uint16_t quality)
{
    // Headers and tables come from the encoder under test; they are checked
    // against literal values by the header tests.
    CJpegEncoder encoder(quality);
    std::vector<uint8_t> headers(CJpegEncoder::kHeaderSize);
    std::size_t unused = 0;
    // With room for the headers only, Encode writes them and then gives up.
    encoder.Encode(pixels, headers.data(), headers.size(), width, height, unused);

    SReferenceState state;
    state.out = headers;
    for (int i = 0; i < 64; ++i) {
        const int scale = jpeg_tables::kDctScale[i];
        state.divisors[0][i] = static_cast<uint16_t>((encoder.LuminanceTable()[i] * scale + 1024) >> 11);
        state.divisors[1][i] = static_cast<uint16_t>((encoder.ChrominanceTable()[i] * scale + 1024) >> 11);
    }
    const CJpegEncoder::SHuffmanTable tables[4] = {
        ReferenceHuffmanTable(jpeg_tables::kDcLuminance), ReferenceHuffmanTable(jpeg_tables::kAcLuminance),
        ReferenceHuffmanTable(jpeg_tables::kDcChrominance), ReferenceHuffmanTable(jpeg_tables::kAcChrominance)};
    for (int i = 0; i < 4; ++i)
        state.tables[i] = &tables[i];

    const int stride = (3 * width + 3) & ~3;
    uint8_t block[16 * 16 * 3];
    for (int row0 = 0; row0 < height; row0 += 16)
        for (int col0 = 0; col0 < width; col0 += 16) {
            for (int j = 0; j < 16; ++j) {
                const int y = std::min(row0 + j, height - 1);
                for (int i = 0; i < 16; ++i) {
                    const int x = std::min(col0 + i, width - 1);
                    std::memcpy(block + (j * 16 + i) * 3, pixels + (height - 1 - y) * stride + 3 * x, 3);
                }
            }
            CodeMcu(state, block);
        }
    if (state.bitCount > 0)
        EmitBits(state, 0x7F, 7);
    state.out.push_back(0xFF);
    state.out.push_back(0xD9);
    return state.out;
}

namespace {

class CScanReader {
public:
    CScanReader(const std::vector<uint8_t>& jpeg) : m_bytes(jpeg.begin() + CJpegEncoder::kHeaderSize, jpeg.end() - 2) {}

    bool Bit(int& bit)
    {
        if (m_bitInByte == 0) {
            if (m_position >= m_bytes.size())
                return false;
            m_current = m_bytes[m_position++];
            if (m_current == 0xFF && (m_position >= m_bytes.size() || m_bytes[m_position++] != 0))
                return false;
            m_bitInByte = 8;
        }
        bit = (m_current >> --m_bitInByte) & 1;
        return true;
    }

    bool Bits(int count, int& value)
    {
        value = 0;
        for (int i = 0, bit = 0; i < count; ++i) {
            if (!Bit(bit))
                return false;
            value = value * 2 + bit;
        }
        return true;
    }

    bool Symbol(const CJpegEncoder::SHuffmanTable& table, int& symbol)
    {
        uint32_t code = 0;
        for (int length = 1, bit = 0; length <= 16; ++length) {
            if (!Bit(bit))
                return false;
            code = code * 2 + uint32_t(bit);
            for (int s = 0; s < 256; ++s)
                if (table.lengths[s] == length && table.codes[s] == code) {
                    symbol = s;
                    return true;
                }
        }
        return false;
    }

    // Only 1-bits may remain, fewer than eight, and no further byte.
    bool AtPaddedEnd() const
    {
        const int padding = m_bitInByte;
        return m_position == m_bytes.size() && (m_current & ((1 << padding) - 1)) == (1 << padding) - 1;
    }

private:
    std::vector<uint8_t> m_bytes;
    std::size_t m_position = 0;
    uint8_t m_current = 0;
    int m_bitInByte = 0;
};

int DecodeValue(int bits, int category) { return bits < (1 << (category - 1)) ? bits - (1 << category) + 1 : bits; }

bool WalkBlock(CScanReader& reader, const CJpegEncoder::SHuffmanTable& dc, const CJpegEncoder::SHuffmanTable& ac,
               SScanWalk& walk)
{
    int symbol = 0, bits = 0;
    if (!reader.Symbol(dc, symbol) || symbol > 11 || !reader.Bits(symbol, bits))
        return false;
    for (int k = 1; k < 64;) {
        if (!reader.Symbol(ac, symbol))
            return false;
        if (symbol == 0x00)
            return true;
        const int run = symbol >> 4, category = symbol & 15;
        const int position = k + run;
        if (position > 63 || (category == 0 && run != 15) || !reader.Bits(category, bits))
            return false;
        k = position + 1;
        if (category > 0)
            walk.largestAcMagnitude = std::max(walk.largestAcMagnitude, std::abs(DecodeValue(bits, category)));
    }
    return true;
}

} // namespace

SScanWalk WalkScan(const std::vector<uint8_t>& jpeg, int mcuCount)
{
    SScanWalk walk;
    if (jpeg.size() < CJpegEncoder::kHeaderSize + 2)
        return walk;
    const CJpegEncoder::SHuffmanTable tables[4] = {
        ReferenceHuffmanTable(jpeg_tables::kDcLuminance), ReferenceHuffmanTable(jpeg_tables::kAcLuminance),
        ReferenceHuffmanTable(jpeg_tables::kDcChrominance), ReferenceHuffmanTable(jpeg_tables::kAcChrominance)};
    CScanReader reader(jpeg);
    for (int mcu = 0; mcu < mcuCount; ++mcu)
        for (int block = 0; block < 6; ++block, ++walk.blocks) {
            const int kind = block < 4 ? 0 : 2;
            if (!WalkBlock(reader, tables[kind], tables[kind + 1], walk))
                return walk;
        }
    walk.wellFormed = reader.AtPaddedEnd();
    return walk;
}
