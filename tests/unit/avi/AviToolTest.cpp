// Files of the AVI writer read back by ffprobe and ffmpeg; sound made by sox.

#include "AviProbe.h"
#include "avi/AviRepair.h"
#include "avi/AviStreamWriter.h"
#include "CaptureTestFiles.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

std::map<std::string, std::string> ProbeStream(const std::string& path, const std::string& stream,
                                               const std::string& entries, const std::string& extra = "")
{
    const ToolResult probe = RunTool("ffprobe -v error " + extra + " -select_streams " + stream +
                                     " -show_entries stream=" + entries + " -of default=nw=1 " + Quoted(path));
    EXPECT_EQ(probe.exitCode, 0) << probe.output;
    return ParseKeyValues(probe.output);
}

void ExpectDecodesCleanly(const std::string& path)
{
    const ToolResult decode = RunTool("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f null -");
    EXPECT_EQ(decode.exitCode, 0);
    EXPECT_EQ(decode.output, "") << "ffmpeg reported errors";
}

// The picture of one frame as ffmpeg decodes it: top row first, blue-green-red.
std::vector<std::uint8_t> DecodedFrame(const std::string& path, int index, const std::string& rawPath)
{
    const ToolResult decode =
        RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) + " -vf 'select=eq(n\\," + std::to_string(index) +
                ")' -frames:v 1 -f rawvideo -pix_fmt bgr24 " + Quoted(rawPath));
    EXPECT_EQ(decode.exitCode, 0) << decode.output;
    return ReadFileBytes(rawPath);
}

void ExpectFramePixels(const std::vector<std::uint8_t>& decoded, int width, int height, int frameNumber)
{
    ASSERT_EQ(decoded.size(), static_cast<std::size_t>(width) * height * 3);
    std::size_t mismatches = 0;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                const std::size_t at = (static_cast<std::size_t>(row) * width + x) * 3 + channel;
                mismatches += decoded[at] != CTestFrame::Expected(x, row, channel, frameNumber);
            }
        }
    }
    EXPECT_EQ(mismatches, 0u) << "frame " << frameNumber;
}

// The sound of the file's first audio stream as ffmpeg decodes it.
std::vector<std::uint8_t> DecodedSound(const std::string& path, const std::string& rawPath,
                                       const std::string& sampleFormat = "s16le")
{
    const ToolResult decode = RunTool("ffmpeg -nostdin -v error -y -i " + Quoted(path) + " -map 0:a:0 -c:a pcm_" +
                                      sampleFormat + " -f " + sampleFormat + " " + Quoted(rawPath));
    EXPECT_EQ(decode.exitCode, 0) << decode.output;
    return ReadFileBytes(rawPath);
}

class AviToolTest : public ::testing::Test {
protected:
    std::unique_ptr<AviWriter> OpenWithFrames(const std::string& name, std::int32_t period, int frames)
    {
        m_path = m_folder.Path(name);
        auto pWriter = AviOpen(m_path.c_str(), period, nullptr);
        EXPECT_NE(pWriter, nullptr);
        for (int number = 0; number < frames && pWriter; ++number) {
            const CTestFrame frame(kWidth, kHeight, number);
            EXPECT_EQ(AviAppendFrame(pWriter.get(), &frame.Dib()), AVIERR_OK);
        }
        return pWriter;
    }

    // Five frames followed by the sound of the WAV files.
    void WriteVideoWithSound(const std::string& name, const std::vector<std::string>& waves)
    {
        auto pWriter = OpenWithFrames(name, 100, 5);
        for (const std::string& wave : waves)
            EXPECT_EQ(AviAppendWaveFile(pWriter.get(), wave.c_str()), AVIERR_OK) << wave;
        EXPECT_EQ(AviClose(std::move(pWriter)), AVIERR_OK);
    }

    // A sine tone from sox and the same samples as raw 16-bit data.
    std::string SoxTone(const std::string& name, int channels, const std::string& seconds,
                        std::vector<std::uint8_t>& raw)
    {
        const std::string wave = m_folder.Path(name + ".wav");
        const std::string rawPath = m_folder.Path(name + ".raw");
        const ToolResult made = RunTool("sox -n -r 44100 -b 16 -c " + std::to_string(channels) + " " + Quoted(wave) +
                                        " synth " + seconds + " sine 440 sine 660");
        EXPECT_EQ(made.exitCode, 0) << made.output;
        const ToolResult converted = RunTool("sox " + Quoted(wave) + " -t raw " + Quoted(rawPath));
        EXPECT_EQ(converted.exitCode, 0) << converted.output;
        raw = ReadFileBytes(rawPath);
        return wave;
    }

    CTestFolder m_folder;
    std::string m_path;
};

class AviFramePeriodTest : public AviToolTest, public ::testing::WithParamInterface<int> {};

TEST_P(AviFramePeriodTest, PeriodBecomesTimeBaseOverOneThousand)
{
    const int period = GetParam();
    ASSERT_EQ(AviClose(OpenWithFrames("period.avi", period, 7)), AVIERR_OK);
    auto stream = ProbeStream(m_path, "v:0", "codec_name,width,height,time_base,r_frame_rate,avg_frame_rate,nb_frames");
    EXPECT_EQ(stream["codec_name"], "rawvideo");
    EXPECT_EQ(stream["width"], std::to_string(kWidth));
    EXPECT_EQ(stream["height"], std::to_string(kHeight));
    EXPECT_TRUE(SameRational(stream["time_base"], period, 1000)) << stream["time_base"];
    // ffmpeg's guessed base rate snaps to a multiple of 1/12 frame per second
    // (210 ms gives 19/4), so it is only checked to lie that close.
    EXPECT_NEAR(RationalValue(stream["r_frame_rate"]), 1000.0 / period, 1.0 / 24) << stream["r_frame_rate"];
    EXPECT_TRUE(SameRational(stream["avg_frame_rate"], 1000, period)) << stream["avg_frame_rate"];
    EXPECT_EQ(stream["nb_frames"], "7");
    auto counted = ProbeStream(m_path, "v:0", "nb_read_frames", "-count_frames");
    EXPECT_EQ(counted["nb_read_frames"], "7");
}

INSTANTIATE_TEST_SUITE_P(Periods, AviFramePeriodTest, ::testing::Values(30, 120, 210));

TEST_F(AviToolTest, EveryFrameDecodesToTheWrittenPixels)
{
    ASSERT_EQ(AviClose(OpenWithFrames("pixels.avi", 100, 12)), AVIERR_OK);
    ExpectDecodesCleanly(m_path);
    for (int index : {0, 5, 11})
        ExpectFramePixels(DecodedFrame(m_path, index, m_folder.Path("frame.raw")), kWidth, kHeight, index);
}

struct SoundCase {
    int channels;
    const char* seconds;
    std::size_t samples;
};

std::ostream& operator<<(std::ostream& stream, const SoundCase& sound)
{
    return stream << sound.channels << " channels, " << sound.seconds << " s";
}

class AviSoundTest : public AviToolTest, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(AviSoundTest, PcmSoundKeepsFormatAndEverySample)
{
    const SoundCase& sound = GetParam();
    std::vector<std::uint8_t> raw;
    const std::string wave = SoxTone("tone", sound.channels, sound.seconds, raw);
    ASSERT_EQ(raw.size(), sound.samples * 2 * sound.channels);
    WriteVideoWithSound("sound.avi", {wave});

    auto stream = ProbeStream(m_path, "a:0", "codec_name,sample_rate,channels,bits_per_sample,duration_ts");
    EXPECT_EQ(stream["codec_name"], "pcm_s16le");
    EXPECT_EQ(stream["sample_rate"], "44100");
    EXPECT_EQ(stream["channels"], std::to_string(sound.channels));
    EXPECT_EQ(stream["bits_per_sample"], "16");
    ExpectDecodesCleanly(m_path);
    EXPECT_EQ(DecodedSound(m_path, m_folder.Path("decoded.raw")), raw);
}

INSTANTIATE_TEST_SUITE_P(Pcm44100, AviSoundTest,
                         ::testing::Values(SoundCase{1, "1.5", 66150}, SoundCase{2, "1.5", 66150},
                                           SoundCase{1, "0.01", 441}, SoundCase{2, "2.25", 99225}));

// sox writes 24-bit sound with an extensible format and a "fact" chunk.
TEST_F(AviToolTest, ExtensibleWaveIsStoredAsPlainPcm)
{
    const std::string wave = m_folder.Path("deep.wav");
    const std::string raw = m_folder.Path("deep.raw");
    ASSERT_EQ(RunTool("sox -n -r 44100 -b 24 -c 2 " + Quoted(wave) + " synth 0.5 sine 440").exitCode, 0);
    ASSERT_EQ(RunTool("sox " + Quoted(wave) + " -t raw " + Quoted(raw)).exitCode, 0);
    WriteVideoWithSound("deep.avi", {wave});
    auto stream = ProbeStream(m_path, "a:0", "codec_name,channels,sample_rate");
    EXPECT_EQ(stream["codec_name"], "pcm_s24le");
    EXPECT_EQ(stream["channels"], "2");
    const std::vector<std::uint8_t> expected = ReadFileBytes(raw);
    EXPECT_EQ(expected.size(), 22050u * 6);
    EXPECT_EQ(DecodedSound(m_path, m_folder.Path("decoded.raw"), "s24le"), expected);
}

TEST_F(AviToolTest, SecondWaveIsHeardAfterTheFirst)
{
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;
    const std::string firstWave = SoxTone("first", 2, "0.5", first);
    const std::string secondWave = SoxTone("second", 2, "0.75", second);
    WriteVideoWithSound("two.avi", {firstWave, secondWave});
    std::vector<std::uint8_t> both = first;
    both.insert(both.end(), second.begin(), second.end());
    EXPECT_EQ(DecodedSound(m_path, m_folder.Path("decoded.raw")), both);
}

// Copies of a file taken while it is written are what a crash would leave:
// each plays every frame written up to its last refresh.
TEST_F(AviToolTest, FileBeingWrittenPlaysUpToItsLastRefresh)
{
    m_path = m_folder.Path("growing.avi");
    const std::vector<std::uint8_t> sound = TestSamples(40000);
    // The first frame, the first RIFF, a later one, the sound.
    const std::map<int, int> framesAfterChunks = {{1, 1}, {7, 7}, {40, 40}, {150, 150}, {152, 150}};
    const auto copyWhileWriting = [&](int chunks) {
        if (framesAfterChunks.count(chunks) != 0)
            std::filesystem::copy_file(m_path, m_folder.Path("copy-" + std::to_string(chunks) + ".avi"));
    };
    ASSERT_EQ(WriteSegmentedAvi(m_path, 64 * 1024, 150, sound, std::chrono::milliseconds(0), copyWhileWriting),
              AVIERR_OK);
    for (const auto& [chunks, frames] : framesAfterChunks) {
        const std::string copy = m_folder.Path("copy-" + std::to_string(chunks) + ".avi");
        auto counted = ProbeStream(copy, "v:0", "nb_read_frames", "-count_frames");
        EXPECT_EQ(counted["nb_read_frames"], std::to_string(frames)) << "after " << chunks << " chunks";
        ExpectDecodesCleanly(copy);
    }
}

// Files left by a crash at any moment of a recording that spans several
// RIFFs: copies taken while it was written (headers as last refreshed) and
// the finished file cut at random offsets. Each repaired file plays every
// frame that was whole on disk.
TEST_F(AviToolTest, RepairedFilesPlayEveryWholeFrame)
{
    constexpr std::uint64_t kSegment = 64 * 1024;
    m_path = m_folder.Path("recording.avi");
    const std::vector<std::uint8_t> sound = TestSamples(40000);
    std::map<std::string, int> damaged; // file -> video frames whole in it
    const auto copyWhileWriting = [&](int chunks) {
        if (chunks % 37 == 1) {
            const std::string copy = m_folder.Path("crash-" + std::to_string(chunks) + ".avi");
            std::filesystem::copy_file(m_path, copy);
            damaged[copy] = std::min(chunks, 120);
        }
    };
    ASSERT_EQ(WriteSegmentedAvi(m_path, kSegment, 120, sound, std::chrono::hours(1), copyWhileWriting), AVIERR_OK);
    const std::vector<std::uint8_t> full = ReadFileBytes(m_path);
    const ProbedAvi probed = ProbeAvi(m_path);
    std::mt19937 random(11);
    for (int cut = 0; cut < 6; ++cut) {
        const std::uint64_t end =
            std::uniform_int_distribution<std::uint64_t>(kAviHeaderReserve + 12, full.size())(random);
        const std::string copy = m_folder.Path("cut-" + std::to_string(end) + ".avi");
        WriteFileBytes(copy, std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(end)));
        damaged[copy] = static_cast<int>(
            std::count_if(probed.samples.begin(), probed.samples.end(), [end](const ProbedChunk& chunk) {
                return chunk.id == "00db" && chunk.dataOffset + chunk.size <= end;
            }));
    }
    AviRepairOptions options;
    options.segmentLimit = kSegment;
    for (const auto& [path, frames] : damaged) {
        const EAviRepair result = RepairAvi(path, options);
        EXPECT_TRUE(result == EAviRepair::repaired || (result == EAviRepair::complete && frames == 120)) << path;
        auto counted = ProbeStream(path, "v:0", "nb_read_frames", "-count_frames");
        EXPECT_EQ(counted["nb_read_frames"], std::to_string(frames)) << path;
        ExpectDecodesCleanly(path);
    }
}

// A crash while capturing with the microphone: the sound recorded so far is
// beside the file, and the repaired video carries all of it.
TEST_F(AviToolTest, RepairAddsTheSoundLeftBeside)
{
    std::vector<std::uint8_t> raw;
    const std::string wave = SoxTone("left", 1, "1.5", raw);
    auto pWriter = OpenWithFrames("crashed.avi", 100, 9);
    const std::string copy = m_folder.Path("crash-copy.avi");
    std::filesystem::copy_file(m_path, copy);
    AviClose(std::move(pWriter));
    ASSERT_EQ(RepairAvi(copy, {wave}), EAviRepair::repaired);
    ExpectDecodesCleanly(copy);
    auto counted = ProbeStream(copy, "v:0", "nb_read_frames", "-count_frames");
    EXPECT_EQ(counted["nb_read_frames"], "9");
    EXPECT_EQ(DecodedSound(copy, m_folder.Path("decoded.raw")), raw);
    ExpectFramePixels(DecodedFrame(copy, 8, m_folder.Path("last.raw")), kWidth, kHeight, 8);
}

TEST_F(AviToolTest, SegmentedFileDecodesToItsLastFrameAndSample)
{
    m_path = m_folder.Path("segments.avi");
    const std::vector<std::uint8_t> sound = TestSamples(40000);
    ASSERT_EQ(WriteSegmentedAvi(m_path, 64 * 1024, 150, sound), AVIERR_OK);
    ExpectDecodesCleanly(m_path);
    auto counted = ProbeStream(m_path, "v:0", "nb_read_frames", "-count_frames");
    EXPECT_EQ(counted["nb_read_frames"], "150");
    ExpectFramePixels(DecodedFrame(m_path, 149, m_folder.Path("last.raw")), 32, 24, 149);
    EXPECT_EQ(DecodedSound(m_path, m_folder.Path("decoded.raw")), sound);
}

} // namespace

namespace {

// Writes frames until the file may grow no further, as on a full disk, and
// closes the writer; the exit status is the number of frames taken.
[[noreturn]] void RecordUntilTheDiskIsFull(const std::string& path, rlim_t fileSizeLimit)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    auto pWriter = AviOpen(path.c_str(), 100, nullptr);
    int frames = 0;
    while (pWriter && frames < 200) {
        const CTestFrame frame(kWidth, kHeight, frames);
        if (AviAppendFrame(pWriter.get(), &frame.Dib()) != AVIERR_OK)
            break;
        ++frames;
    }
    const bool bRefusedAfterward = AviAppendFrame(pWriter.get(), &CTestFrame(kWidth, kHeight, 0).Dib()) == AVIERR_ERROR;
    AviClose(std::move(pWriter));
    _exit(bRefusedAfterward ? frames : 255);
}

TEST_F(AviToolTest, FramesWrittenBeforeTheDiskFilledStayPlayable)
{
    m_path = m_folder.Path("full-disk.avi");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        RecordUntilTheDiskIsFull(m_path, 300000);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    const int frames = WEXITSTATUS(status);
    ASSERT_GT(frames, 10);
    ASSERT_LT(frames, 200);
    auto counted = ProbeStream(m_path, "v:0", "nb_read_frames", "-count_frames");
    EXPECT_EQ(counted["nb_read_frames"], std::to_string(frames));
    ExpectFramePixels(DecodedFrame(m_path, frames - 1, m_folder.Path("last.raw")), kWidth, kHeight, frames - 1);
}

} // namespace
