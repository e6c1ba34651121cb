// A recording of more than 1 GB of uncompressed frames: the file continues in
// a second RIFF and still plays to its last frame and sample.

#include "avi/AviRepair.h"
#include "avi/AviStreamWriter.h"
#include "CaptureTestFiles.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 1200; // 1200 frames of 900 KB: about 1.1 GB

std::vector<std::string> RiffTypes(const std::string& path)
{
    std::vector<std::string> types;
    std::ifstream file(path, std::ios::binary);
    std::uint64_t offset = 0;
    for (;;) {
        std::array<char, 12> header{};
        file.seekg(static_cast<std::streamoff>(offset));
        if (!file.read(header.data(), header.size()) || std::string(header.data(), 4) != "RIFF")
            return types;
        types.emplace_back(header.data() + 8, 4);
        const std::vector<std::uint8_t> size(header.begin() + 4, header.begin() + 8);
        offset +=
            8 + static_cast<std::uint64_t>(size[0] | size[1] << 8 | size[2] << 16) + (std::uint64_t{size[3]} << 24);
    }
}

// Frames alternate between two pictures; the last one is a third. The
// sound follows.
void WriteLargeRecording(const std::string& path, const std::string& wave)
{
    auto pWriter = AviOpen(path.c_str(), 100, nullptr);
    ASSERT_NE(pWriter, nullptr);
    {
        const CTestFrame even(kWidth, kHeight, 0);
        const CTestFrame odd(kWidth, kHeight, 1);
        for (int number = 0; number < kFrames - 1; ++number)
            ASSERT_EQ(AviAppendFrame(pWriter.get(), number % 2 == 0 ? &even.Dib() : &odd.Dib()), AVIERR_OK);
    }
    ASSERT_EQ(AviAppendFrame(pWriter.get(), &CTestFrame(kWidth, kHeight, kFrames - 1).Dib()), AVIERR_OK);
    ASSERT_EQ(AviAppendWaveFile(pWriter.get(), wave.c_str()), AVIERR_OK);
    ASSERT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
}

// Three seconds of sound beside the recording.
class AviLargeFile : public ::testing::Test {
protected:
    void SetUp() override { WriteFileBytes(wave, CanonicalWave(PcmFormat(2, 44100, 16), sound)); }

    CTestFolder folder;
    const std::string wave = folder.Path("sound.wav");
    const std::vector<std::uint8_t> sound = TestSamples(176400 * 3);
};

TEST_F(AviLargeFile, OverOneGigabyteDecodesToTheLastFrameAndSample)
{
    const std::string path = folder.Path("large.avi");
    WriteLargeRecording(path, wave);
    const CTestFrame last(kWidth, kHeight, kFrames - 1);

    const std::vector<std::string> types = RiffTypes(path);
    ASSERT_GE(types.size(), 2u);
    EXPECT_EQ(types[0], "AVI ");
    EXPECT_EQ(types[1], "AVIX");

    const ToolResult decode = RunTool("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f null -");
    EXPECT_EQ(decode.exitCode, 0);
    EXPECT_EQ(decode.output, "");

    const ToolResult count = RunTool("ffprobe -v error -count_packets -select_streams v:0 -show_entries "
                                     "stream=nb_read_packets,nb_frames -of default=nw=1 " +
                                     Quoted(path));
    auto counted = ParseKeyValues(count.output);
    EXPECT_EQ(counted["nb_read_packets"], std::to_string(kFrames)) << count.output;
    EXPECT_EQ(counted["nb_frames"], std::to_string(kFrames)) << count.output;

    const std::string rawFrame = folder.Path("last.raw");
    const ToolResult lastFrame =
        RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) + " -vf 'select=eq(n\\," +
                std::to_string(kFrames - 1) + ")' -frames:v 1 -f rawvideo -pix_fmt bgr24 " + Quoted(rawFrame));
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

// The ends of the frame chunks ("00db") in file order, read by walking the
// RIFFs and their "movi" lists.
std::vector<std::uint64_t> FrameEnds(const std::string& path)
{
    std::vector<std::uint64_t> ends;
    std::ifstream file(path, std::ios::binary);
    std::uint64_t offset = 0;
    std::array<char, 12> header{};
    while (file.seekg(static_cast<std::streamoff>(offset)) && file.read(header.data(), header.size())) {
        const std::string id(header.data(), 4);
        const auto* pSize = reinterpret_cast<const unsigned char*>(header.data() + 4);
        const std::uint64_t size = pSize[0] | pSize[1] << 8 | pSize[2] << 16 | std::uint64_t{pSize[3]} << 24;
        const std::string type(header.data() + 8, 4);
        if (id == "RIFF" || (id == "LIST" && type == "movi")) {
            offset += 12;
            continue;
        }
        if (id == "00db")
            ends.push_back(offset + 8 + size);
        offset += 8 + size + (size & 1);
    }
    return ends;
}

// A crash in the second RIFF, in the middle of a frame, with the sound left
// beside: the repaired file plays every whole frame and the sound.
TEST_F(AviLargeFile, CutInTheSecondRiffIsRepairedToEveryWholeFrame)
{
    const std::string path = folder.Path("crashed.avi");
    WriteLargeRecording(path, wave);
    const std::vector<std::uint64_t> ends = FrameEnds(path);
    ASSERT_EQ(ends.size(), static_cast<std::size_t>(kFrames));
    const std::uint64_t cut = ends[kFrames - 10] + 4321;
    std::filesystem::resize_file(path, cut);

    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(RepairAvi(path, {wave}), EAviRepair::repaired);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::printf("repair of %.2f GB took %.1f s\n", static_cast<double>(cut) / 1e9, took.count());
    RecordProperty("repair_seconds", std::to_string(took.count()));

    EXPECT_EQ(RiffTypes(path).size(), 2u);
    const ToolResult decode = RunTool("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f null -");
    EXPECT_EQ(decode.exitCode, 0);
    EXPECT_EQ(decode.output, "");
    const ToolResult count = RunTool("ffprobe -v error -count_packets -select_streams v:0 -show_entries "
                                     "stream=nb_read_packets -of default=nw=1 " +
                                     Quoted(path));
    EXPECT_EQ(ParseKeyValues(count.output)["nb_read_packets"], std::to_string(kFrames - 9)) << count.output;
    const std::string rawSound = folder.Path("sound.raw");
    const ToolResult audio = RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) +
                                     " -map 0:a:0 -c:a pcm_s16le -f s16le " + Quoted(rawSound));
    ASSERT_EQ(audio.exitCode, 0) << audio.output;
    EXPECT_EQ(ReadFileBytes(rawSound), sound);
}

} // namespace
