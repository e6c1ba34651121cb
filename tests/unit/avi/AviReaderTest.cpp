// The album's AVI reader on files from our own writer (segmented, with
// sound) and from ffmpeg (Motion-JPEG with PCM), and on those files cut
// short or damaged.
#include "avi/AviReader.h"

#include "CaptureTestFiles.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Joined(const CAviReader& reader, const std::vector<AviChunkPlace>& places)
{
    std::vector<std::uint8_t> all;
    for (const AviChunkPlace& place : places) {
        const std::vector<std::uint8_t> bytes = reader.ReadChunk(place);
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    return all;
}

CAviReader::ReadAt FromMemory(const std::vector<std::uint8_t>& bytes)
{
    return [&bytes](std::uint64_t offset, std::span<std::uint8_t> out) {
        if (offset >= bytes.size())
            return std::size_t{0};
        const std::size_t count = std::min<std::size_t>(out.size(), bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
        return count;
    };
}

TEST(AviReader, ReadsEveryFrameAndTheSoundOfOurSegmentedFiles)
{
    CTestFolder folder;
    const std::string path = folder.Path("segmented.avi");
    const std::vector<std::uint8_t> sound = TestSamples(40000);
    // Small segments put most frames into "AVIX" RIFF chunks.
    ASSERT_EQ(WriteSegmentedAvi(path, 64 * 1024, 60, sound), AVIERR_OK);

    CAviReader reader;
    ASSERT_TRUE(reader.Open(path));
    const AviVideoTrack& video = reader.Video();
    EXPECT_EQ(video.format.biWidth, 32);
    EXPECT_EQ(video.format.biHeight, 24);
    EXPECT_EQ(video.format.biBitCount, 24);
    EXPECT_EQ(video.FramePeriodMicroseconds(), 40'000u);
    ASSERT_EQ(video.frames.size(), 60u);
    for (int number : {0, 1, 37, 59}) {
        const std::vector<std::uint8_t> frame = reader.ReadChunk(video.frames[static_cast<size_t>(number)]);
        const CTestFrame source(32, 24, number);
        const std::span<const std::uint8_t> expected = DibPixels(source.Dib());
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), expected.begin(), expected.end())) << number;
    }
    ASSERT_TRUE(reader.Audio());
    EXPECT_EQ(reader.Audio()->format.nSamplesPerSec, 8000u);
    EXPECT_EQ(reader.Audio()->format.wBitsPerSample, 16u);
    EXPECT_EQ(Joined(reader, reader.Audio()->chunks), sound);
}

TEST(AviReader, ReadsFfmpegsMotionJpegWithPcm)
{
    CTestFolder folder;
    const std::string path = folder.Path("ffmpeg.avi");
    const ToolResult made = RunTool("ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=12 -f lavfi "
                                    "-i sine=frequency=440:sample_rate=22050 -t 1 -c:v mjpeg -c:a pcm_s16le " +
                                    Quoted(path));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const std::map<std::string, std::string> probe = ParseKeyValues(
        RunTool("ffprobe -v error -count_packets -select_streams v:0 -show_entries stream=nb_read_packets " +
                Quoted(path))
            .output);

    CAviReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_TRUE(SameFourccIgnoringCase(reader.Video().format.biCompression, MakeFourcc('M', 'J', 'P', 'G')));
    EXPECT_EQ(reader.Video().FramePeriodMicroseconds(), 83'333u);
    EXPECT_EQ(std::to_string(reader.Video().frames.size()), probe.at("nb_read_packets"));
    for (const AviChunkPlace& frame : reader.Video().frames) {
        const std::vector<std::uint8_t> jpeg = reader.ReadChunk(frame);
        ASSERT_GE(jpeg.size(), 2u);
        EXPECT_EQ(jpeg[0], 0xFF);
        EXPECT_EQ(jpeg[1], 0xD8);
    }
    ASSERT_TRUE(reader.Audio());
    EXPECT_EQ(reader.Audio()->format.wFormatTag, kWaveFormatPcm);
    EXPECT_EQ(reader.Audio()->format.nSamplesPerSec, 22050u);
    EXPECT_EQ(Joined(reader, reader.Audio()->chunks).size(), 22050u * 2);
}

TEST(AviReader, CutOrDamagedFilesGiveWhatTheyHoldAndNothingOutside)
{
    CTestFolder folder;
    const std::string path = folder.Path("whole.avi");
    ASSERT_EQ(WriteSegmentedAvi(path, 1 << 20, 20, TestSamples(16000)), AVIERR_OK);
    const std::vector<std::uint8_t> whole = ReadFileBytes(path);

    // Cut anywhere: never more frames than the whole, and each one readable
    // whole or cut to what is there.
    for (std::size_t length = 0; length < whole.size(); length += 997) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        CAviReader reader;
        if (!reader.Parse(FromMemory(cut), cut.size()))
            continue;
        EXPECT_LE(reader.Video().frames.size(), 20u);
        for (const AviChunkPlace& frame : reader.Video().frames)
            EXPECT_LE(frame.offset + frame.size, cut.size());
    }
    // A crash's placeholder header (RIFF size 0) and sizes beyond the file.
    std::vector<std::uint8_t> placeholder = whole;
    placeholder[4] = placeholder[5] = placeholder[6] = placeholder[7] = 0;
    CAviReader reader;
    EXPECT_FALSE(reader.Parse(FromMemory(placeholder), placeholder.size()));
    std::vector<std::uint8_t> huge = whole;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xFF;
    EXPECT_TRUE(reader.Parse(FromMemory(huge), huge.size()));
    EXPECT_EQ(reader.Video().frames.size(), 20u);
    const std::vector<std::uint8_t> notAvi = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_FALSE(reader.Parse(FromMemory(notAvi), notAvi.size()));
    EXPECT_FALSE(reader.Open(folder.Path("missing.avi")));
}

} // namespace
