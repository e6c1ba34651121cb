#include "SoundTestFiles.h"

#include "audio/MicrophoneRecorder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace {

constexpr DWORD kRecordingWindowMs = 1500;

struct MicrophoneFormatField {
    std::size_t offset;
    std::uint32_t expected;
    bool b32;
};

// PCM, mono, 44100 Hz, 88200 bytes per second, 2-byte blocks, 16 bits.
const MicrophoneFormatField kMicrophoneFormat[] = {
    {16, 16, true},    {20, 1, false}, {22, 1, false},  {24, 44100, true},
    {28, 88200, true}, {32, 2, false}, {34, 16, false},
};

void ExpectMicrophoneHeader(const std::vector<std::uint8_t>& bytes)
{
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(FourCharacters(bytes, 0), "RIFF");
    EXPECT_EQ(FourCharacters(bytes, 8), "WAVE");
    EXPECT_EQ(FourCharacters(bytes, 12), "fmt ");
    for (const auto& field : kMicrophoneFormat) {
        const std::uint32_t value = field.b32 ? Field32(bytes, field.offset) : Field16(bytes, field.offset);
        EXPECT_EQ(value, field.expected) << "header field at offset " << field.offset;
    }
    EXPECT_EQ(FourCharacters(bytes, 36), "data");
    EXPECT_EQ(Field32(bytes, 4), Field32(bytes, 40) + 36u);
}

TEST(MicrophoneRecording, SavesPcmMono44100SixteenBitWithCanonicalHeader)
{
    const std::string wavPath = OutputPath("microphone.wav");
    CMicrophoneRecorder microphone;
    const ULONGLONG started = ::GetTickCount64();
    ASSERT_TRUE(microphone.Start(wavPath)) << "the test harness gives Wine an ALSA capture device";
    EXPECT_TRUE(microphone.IsRecording());
    ::Sleep(kRecordingWindowMs);
    const ULONGLONG elapsed = ::GetTickCount64() - started;

    // Before the end the file on disk is already a WAV file holding the
    // sound up to its last refresh, as a crash would leave it.
    const std::vector<std::uint8_t> whileRecording = FileBytes(wavPath);
    ExpectMicrophoneHeader(whileRecording);
    EXPECT_GT(Field32(whileRecording, 40), 0u);
    EXPECT_LE(Field32(whileRecording, 40) + 44u, whileRecording.size());

    ASSERT_TRUE(microphone.Finish());
    EXPECT_FALSE(microphone.IsRecording());

    // The native step judges the recorded length against this window.
    std::ofstream(OutputPath("microphone-elapsed-ms.txt")) << elapsed << "\n";

    const std::vector<std::uint8_t> bytes = FileBytes(wavPath);
    ExpectMicrophoneHeader(bytes);
    EXPECT_EQ(Field32(bytes, 40) + 44u, bytes.size());
    EXPECT_GE(Field32(bytes, 40), Field32(whileRecording, 40));
}

TEST(MicrophoneRecording, FinishWithoutStartWritesNothing)
{
    CMicrophoneRecorder microphone;
    EXPECT_FALSE(microphone.Finish());
}

TEST(MicrophoneRecording, DiscardedRecordingLeavesNoFile)
{
    const std::string wavPath = OutputPath("microphone-discarded.wav");
    CMicrophoneRecorder microphone;
    ASSERT_TRUE(microphone.Start(wavPath));
    microphone.Discard();
    EXPECT_FALSE(microphone.IsRecording());
    EXPECT_FALSE(microphone.Finish());
    EXPECT_FALSE(FileExists(wavPath));
}

TEST(MicrophoneRecording, StartAgainReplacesTheOpenRecording)
{
    const std::string firstPath = OutputPath("microphone-replaced.wav");
    const std::string wavPath = OutputPath("microphone-restarted.wav");
    CMicrophoneRecorder microphone;
    ASSERT_TRUE(microphone.Start(firstPath));
    ASSERT_TRUE(microphone.Start(wavPath));
    ::Sleep(100);
    EXPECT_TRUE(microphone.Finish());
    EXPECT_TRUE(FileExists(wavPath));
    EXPECT_FALSE(FileExists(firstPath));
}

TEST(MicrophoneRecording, RecorderDestroyedWhileRecordingFreesTheDeviceAndTheFile)
{
    const std::string abandonedPath = OutputPath("microphone-abandoned.wav");
    {
        CMicrophoneRecorder abandoned;
        ASSERT_TRUE(abandoned.Start(abandonedPath));
    }
    EXPECT_FALSE(FileExists(abandonedPath));
    CMicrophoneRecorder next;
    EXPECT_TRUE(next.Start(OutputPath("microphone-after-abandoned.wav")));
    EXPECT_TRUE(next.Finish());
}

// The page may end a recording on another thread than the one that began it.
TEST(MicrophoneRecording, FinishesOnAnotherThreadThanItStarted)
{
    const std::string wavPath = OutputPath("microphone-other-thread.wav");
    CMicrophoneRecorder microphone;
    bool bStarted = false;
    std::thread([&] { bStarted = microphone.Start(wavPath); }).join();
    ASSERT_TRUE(bStarted);
    ::Sleep(200);
    EXPECT_TRUE(microphone.Finish());
    const std::vector<std::uint8_t> bytes = FileBytes(wavPath);
    EXPECT_EQ(FourCharacters(bytes, 36), "data");
    EXPECT_GT(Field32(bytes, 40), 0u);
}

TEST(MicrophoneRecording, RecordingIntoMissingFolderDoesNotStart)
{
    const std::string wavPath = OutputPath("no-such-folder/microphone.wav");
    CMicrophoneRecorder microphone;
    EXPECT_FALSE(microphone.Start(wavPath));
    EXPECT_FALSE(microphone.IsRecording());
    EXPECT_FALSE(FileExists(wavPath));
}

} // namespace
