// A recording of more than 1 GB of uncompressed frames: the file continues in
// a second RIFF and still plays to its last frame and sample.

#include "avi/AviStreamWriter.h"
#include "CaptureTestFiles.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 1200;  // 1200 frames of 900 KB: about 1.1 GB

std::vector<std::string> RiffTypes(const std::string& path)
{
    std::vector<std::string> types;
    std::ifstream file(path, std::ios::binary);
    std::uint64_t offset = 0;
    for (;;) {
        std::array<char, 12> header{};
        file.seekg(static_cast<std::streamoff>(offset));
        if (!file.read(header.data(), header.size()) || std::string(header.data(), 4) != "RIFF") {
            return types;
        }
        types.emplace_back(header.data() + 8, 4);
        const std::vector<std::uint8_t> size(header.begin() + 4, header.begin() + 8);
        offset += 8 + static_cast<std::uint64_t>(size[0] | size[1] << 8 | size[2] << 16) + (std::uint64_t{size[3]} << 24);
    }
}

TEST(AviLargeFile, OverOneGigabyteDecodesToTheLastFrameAndSample)
{
    CTestFolder folder;
    const std::string path = folder.Path("large.avi");
    const std::string wave = folder.Path("sound.wav");
    const std::vector<std::uint8_t> sound = TestSamples(176400 * 3);
    WriteFileBytes(wave, CanonicalWave(PcmFormat(2, 44100, 16), sound));

    auto pWriter = AviOpen(path.c_str(), 100, nullptr);
    ASSERT_NE(pWriter, nullptr);
    {
        // Frames alternate between two pictures; the last one is a third.
        const CTestFrame even(kWidth, kHeight, 0);
        const CTestFrame odd(kWidth, kHeight, 1);
        for (int number = 0; number < kFrames - 1; ++number) {
            ASSERT_EQ(AviAppendFrame(pWriter.get(), number % 2 == 0 ? &even.Dib() : &odd.Dib()), AVIERR_OK);
        }
    }
    const CTestFrame last(kWidth, kHeight, kFrames - 1);
    ASSERT_EQ(AviAppendFrame(pWriter.get(), &last.Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(pWriter.get(), wave.c_str()), AVIERR_OK);
    ASSERT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);

    const std::vector<std::string> types = RiffTypes(path);
    ASSERT_GE(types.size(), 2u);
    EXPECT_EQ(types[0], "AVI ");
    EXPECT_EQ(types[1], "AVIX");

    const ToolResult decode = RunTool("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f null -");
    EXPECT_EQ(decode.exitCode, 0);
    EXPECT_EQ(decode.output, "");

    const ToolResult count = RunTool("ffprobe -v error -count_packets -select_streams v:0 -show_entries "
                                     "stream=nb_read_packets,nb_frames -of default=nw=1 " + Quoted(path));
    auto counted = ParseKeyValues(count.output);
    EXPECT_EQ(counted["nb_read_packets"], std::to_string(kFrames)) << count.output;
    EXPECT_EQ(counted["nb_frames"], std::to_string(kFrames)) << count.output;

    const std::string rawFrame = folder.Path("last.raw");
    const ToolResult lastFrame =
        RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) + " -vf 'select=eq(n\\," + std::to_string(kFrames - 1) +
                ")' -frames:v 1 -f rawvideo -pix_fmt bgr24 " + Quoted(rawFrame));
    ASSERT_EQ(lastFrame.exitCode, 0) << lastFrame.output;
    const std::vector<std::uint8_t> decoded = ReadFileBytes(rawFrame);
    ASSERT_EQ(decoded.size(), static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::size_t mismatches = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int x = 0; x < kWidth; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                mismatches += decoded[(static_cast<std::size_t>(row) * kWidth + x) * 3 + channel] !=
                              last.Channel(x, row, channel);
            }
        }
    }
    EXPECT_EQ(mismatches, 0u);

    const std::string rawSound = folder.Path("sound.raw");
    const ToolResult audio = RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) +
                                     " -map 0:a:0 -c:a pcm_s16le -f s16le " + Quoted(rawSound));
    ASSERT_EQ(audio.exitCode, 0) << audio.output;
    EXPECT_EQ(ReadFileBytes(rawSound), sound);
}

} // namespace
