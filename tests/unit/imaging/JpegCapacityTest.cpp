#include "imaging/JpegEncoder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint8_t kGuard = 0xA5;

struct SCapacityResult {
    bool encoded;
    std::size_t length;
    std::vector<uint8_t> buffer; // capacity bytes, then guard bytes
};

SCapacityResult EncodeWithCapacity(const SPicture& picture, uint16_t quality, std::size_t capacity)
{
    SCapacityResult result{false, 12345, std::vector<uint8_t>(capacity + 4096, kGuard)};
    CJpegEncoder encoder(quality);
    result.encoded = encoder.Encode(picture.bits.data(), result.buffer.data(), capacity, picture.width, picture.height,
                                    result.length);
    return result;
}

bool GuardIntact(const SCapacityResult& result, std::size_t capacity)
{
    for (std::size_t i = capacity; i < result.buffer.size(); ++i)
        if (result.buffer[i] != kGuard)
            return false;
    return true;
}

TEST(JpegCapacity, ExactFitSucceedsAndOneByteLessFails)
{
    const SPicture pictures[] = {MakePicture(64, 48, EPattern::Noise, 9), MakePicture(33, 17, EPattern::Photo),
                                 MakePicture(40, 40, EPattern::Edges), MakeGrey(16, 16, 128)};
    for (const SPicture& picture : pictures) {
        const std::vector<uint8_t> expected = EncodeToVector(picture, 100);
        ASSERT_FALSE(expected.empty());
        const std::size_t length = expected.size();
        for (std::size_t capacity : {length, length - 1, length - 2, length - 300, std::size_t{700}}) {
            if (capacity < CJpegEncoder::kHeaderSize || capacity > length)
                continue;
            SCOPED_TRACE(capacity);
            const SCapacityResult result = EncodeWithCapacity(picture, 100, capacity);
            EXPECT_EQ(result.encoded, capacity == length);
            EXPECT_TRUE(GuardIntact(result, capacity));
            if (result.encoded) {
                EXPECT_EQ(result.length, length);
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), result.buffer.begin()));
            } else {
                EXPECT_EQ(result.length, 12345u);
            }
        }
    }
}

TEST(JpegCapacity, ExactlySizedHeapBufferIsNeverOverrun)
{
    // Under AddressSanitizer any write past the allocation ends the test.
    const SPicture picture = MakePicture(50, 50, EPattern::Noise, 4);
    const std::size_t length = EncodeToVector(picture, 100).size();
    for (std::size_t capacity = length - 40; capacity <= length; ++capacity) {
        auto buffer = std::make_unique<uint8_t[]>(capacity);
        std::size_t written = 0;
        CJpegEncoder encoder(100);
        EXPECT_EQ(encoder.Encode(picture.bits.data(), buffer.get(), capacity, 50, 50, written), capacity == length);
    }
}

TEST(JpegCapacity, RoomForLessThanTheHeadersWritesNothing)
{
    const SPicture picture = MakeGrey(16, 16, 128);
    const SCapacityResult result = EncodeWithCapacity(picture, 75, CJpegEncoder::kHeaderSize - 1);
    EXPECT_FALSE(result.encoded);
    EXPECT_TRUE(GuardIntact(result, 0));
}

TEST(JpegCapacity, WorstCaseBoundHoldsForNoiseAtFullQuality)
{
    for (int size : {1, 15, 16, 17, 100}) {
        const SPicture picture = MakePicture(size, size, EPattern::Noise, unsigned(size));
        const std::size_t bound = CJpegEncoder::MaxEncodedSize(size, size);
        const SCapacityResult result = EncodeWithCapacity(picture, 100, bound);
        EXPECT_TRUE(result.encoded) << size;
        EXPECT_LE(result.length, bound);
    }
}

// The rows of a picture a band at a time, as a file reader hands them on.
CJpegEncoder::BandSource BandsOf(const SPicture& picture)
{
    return [&picture](int mcuRow, int count) {
        return picture.bits.data() + std::size_t(picture.height - 16 * mcuRow - count) * picture.Stride();
    };
}

TEST(JpegPieces, BandsInAndPiecesOutGiveTheBytesOfTheWholeBuffer)
{
    for (const SPicture& picture :
         {MakePicture(100, 37, EPattern::Noise, 3), MakePicture(17, 16, EPattern::Photo), MakeGrey(1, 1, 9)}) {
        const std::vector<uint8_t> expected = EncodeToVector(picture, 100);
        for (std::size_t size : {CJpegEncoder::MinSinkBufferSize(), std::size_t{1} << 20}) {
            std::vector<uint8_t> buffer(size), joined;
            int pieces = 0;
            CJpegEncoder encoder(100);
            ASSERT_TRUE(encoder.EncodeToSink(picture.width, picture.height, BandsOf(picture), buffer,
                                             [&](const uint8_t* bytes, std::size_t count) {
                                                 joined.insert(joined.end(), bytes, bytes + count);
                                                 return ++pieces > 0;
                                             }));
            EXPECT_EQ(joined, expected) << picture.width << " x " << picture.height << ", buffer " << size;
            if (picture.width == 100 && size == CJpegEncoder::MinSinkBufferSize())
                EXPECT_GT(pieces, 10) << "the smallest buffer hands on a piece after every MCU or so";
        }
    }
}

TEST(JpegPieces, AMissingBandARefusingSinkOrATooSmallBufferStopsTheEncoding)
{
    const SPicture picture = MakePicture(64, 64, EPattern::Noise, 2);
    std::vector<uint8_t> buffer(CJpegEncoder::MinSinkBufferSize());
    int pieces = 0;
    const auto count = [&](const uint8_t*, std::size_t) { return ++pieces > 0; };
    const auto noThirdBand = [&](int mcuRow, int rows) {
        return mcuRow == 2 ? nullptr : BandsOf(picture)(mcuRow, rows);
    };
    CJpegEncoder encoder(100);
    EXPECT_FALSE(encoder.EncodeToSink(64, 64, noThirdBand, buffer, count));
    pieces = 0;
    EXPECT_FALSE(encoder.EncodeToSink(64, 64, BandsOf(picture), buffer,
                                      [&](const uint8_t*, std::size_t) { return ++pieces < 3; }));
    EXPECT_EQ(pieces, 3) << "nothing more after the refusal";
    pieces = 0;
    std::vector<uint8_t> small(CJpegEncoder::MinSinkBufferSize() - 1);
    EXPECT_FALSE(encoder.EncodeToSink(64, 64, BandsOf(picture), small, count));
    EXPECT_EQ(pieces, 0);
}

TEST(JpegFailure, NullPointersWriteNothing)
{
    const SPicture picture = MakeGrey(16, 16, 128);
    std::vector<uint8_t> buffer(2000, kGuard);
    std::size_t length = 7;
    CJpegEncoder encoder(75);
    EXPECT_FALSE(encoder.Encode(nullptr, buffer.data(), buffer.size(), 16, 16, length));
    EXPECT_FALSE(encoder.Encode(picture.bits.data(), nullptr, buffer.size(), 16, 16, length));
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(buffer, std::vector<uint8_t>(2000, kGuard));
}

TEST(JpegFailure, SizesOutsideTheFrameRangeAreRefusedAfterTheHeaders)
{
    struct SCase {
        int32_t width, height;
    };
    const SPicture picture = MakeGrey(16, 16, 128);
    for (const SCase c :
         {SCase{0, 16}, SCase{16, 0}, SCase{-16, 16}, SCase{16, -16}, SCase{65536, 1}, SCase{1, 65536}}) {
        std::vector<uint8_t> buffer(2000, kGuard);
        std::size_t length = 7;
        CJpegEncoder encoder(75);
        EXPECT_FALSE(encoder.Encode(picture.bits.data(), buffer.data(), buffer.size(), c.width, c.height, length));
        EXPECT_EQ(length, 7u);
        EXPECT_EQ(buffer[0], 0xFF);
        EXPECT_EQ(buffer[CJpegEncoder::kHeaderSize], kGuard);
    }
}

TEST(JpegEncoder, OneObjectEncodesSeveralPicturesAlike)
{
    const SPicture first = MakePicture(40, 30, EPattern::Photo), second = MakePicture(17, 50, EPattern::Edges);
    CJpegEncoder encoder(85);
    std::vector<uint8_t> buffer(CJpegEncoder::MaxEncodedSize(40, 50));
    std::size_t length = 0;
    for (const SPicture* picture : {&first, &second, &first}) {
        ASSERT_TRUE(encoder.Encode(picture->bits.data(), buffer.data(), buffer.size(), picture->width, picture->height,
                                   length));
        EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + length), EncodeToVector(*picture, 85));
    }
}

} // namespace
