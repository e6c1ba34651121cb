#include "SoundTestFiles.h"

#include "audio/MicrophoneRecorder.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    {16, 16, true}, {20, 1, false}, {22, 1, false}, {24, 44100, true}, {28, 88200, true}, {32, 2, false}, {34, 16, false},
};

TEST(MicrophoneRecording, SavesPcmMono44100SixteenBitWithCanonicalHeader)
{
    const std::string wavPath = OutputPath("microphone.wav");
    CMicrophoneRecorder microphone;
    const ULONGLONG started = ::GetTickCount64();
    ASSERT_TRUE(microphone.Start()) << "the test harness gives Wine an ALSA capture device";
    EXPECT_TRUE(microphone.IsRecording());
    ::Sleep(kRecordingWindowMs);
    const ULONGLONG elapsed = ::GetTickCount64() - started;
    ASSERT_TRUE(microphone.FinishInto(wavPath));
    EXPECT_FALSE(microphone.IsRecording());

    // The native step judges the recorded length against this window.
    std::ofstream(OutputPath("microphone-elapsed-ms.txt")) << elapsed << "\n";

    const std::vector<std::uint8_t> bytes = FileBytes(wavPath);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(FourCharacters(bytes, 0), "RIFF");
    EXPECT_EQ(FourCharacters(bytes, 8), "WAVE");
    EXPECT_EQ(FourCharacters(bytes, 12), "fmt ");
    for (const auto& field : kMicrophoneFormat) {
        const std::uint32_t value = field.b32 ? Field32(bytes, field.offset) : Field16(bytes, field.offset);
        EXPECT_EQ(value, field.expected) << "header field at offset " << field.offset;
    }
    EXPECT_EQ(FourCharacters(bytes, 36), "data");
    EXPECT_EQ(Field32(bytes, 40) + 44u, bytes.size());
    EXPECT_GT(Field32(bytes, 40), 0u);
}

TEST(MicrophoneRecording, FinishWithoutStartWritesNothing)
{
    const std::string wavPath = OutputPath("microphone-never-started.wav");
    CMicrophoneRecorder microphone;
    EXPECT_FALSE(microphone.FinishInto(wavPath));
    EXPECT_FALSE(FileExists(wavPath));
}

TEST(MicrophoneRecording, DiscardedRecordingIsNotSaved)
{
    const std::string wavPath = OutputPath("microphone-discarded.wav");
    CMicrophoneRecorder microphone;
    ASSERT_TRUE(microphone.Start());
    microphone.Discard();
    EXPECT_FALSE(microphone.IsRecording());
    EXPECT_FALSE(microphone.FinishInto(wavPath));
    EXPECT_FALSE(FileExists(wavPath));
}

TEST(MicrophoneRecording, StartAgainReplacesTheOpenRecording)
{
    const std::string wavPath = OutputPath("microphone-restarted.wav");
    CMicrophoneRecorder microphone;
    ASSERT_TRUE(microphone.Start());
    ASSERT_TRUE(microphone.Start());
    ::Sleep(100);
    EXPECT_TRUE(microphone.FinishInto(wavPath));
    EXPECT_TRUE(FileExists(wavPath));
}

TEST(MicrophoneRecording, RecorderDestroyedWhileRecordingFreesTheDevice)
{
    {
        CMicrophoneRecorder abandoned;
        ASSERT_TRUE(abandoned.Start());
    }
    CMicrophoneRecorder next;
    EXPECT_TRUE(next.Start());
    EXPECT_TRUE(next.FinishInto(OutputPath("microphone-after-abandoned.wav")));
}

// The page may end a recording on another thread than the one that began it.
TEST(MicrophoneRecording, FinishesOnAnotherThreadThanItStarted)
{
    const std::string wavPath = OutputPath("microphone-other-thread.wav");
    CMicrophoneRecorder microphone;
    bool bStarted = false;
    std::thread([&] { bStarted = microphone.Start(); }).join();
    ASSERT_TRUE(bStarted);
    ::Sleep(200);
    EXPECT_TRUE(microphone.FinishInto(wavPath));
    const std::vector<std::uint8_t> bytes = FileBytes(wavPath);
    EXPECT_EQ(FourCharacters(bytes, 36), "data");
    EXPECT_GT(Field32(bytes, 40), 0u);
}

std::size_t RecorderFilesInTemp()
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
        count += entry.path().filename().string().rfind("tvm", 0) == 0 ? 1 : 0;
    }
    return count;
}

TEST(MicrophoneRecording, LeavesNoTemporaryFiles)
{
    const std::size_t before = RecorderFilesInTemp();
    {
        CMicrophoneRecorder saved;
        ASSERT_TRUE(saved.Start());
        EXPECT_TRUE(saved.FinishInto(OutputPath("microphone-temporary.wav")));
        CMicrophoneRecorder discarded;
        ASSERT_TRUE(discarded.Start());
        discarded.Discard();
        CMicrophoneRecorder abandoned;
        ASSERT_TRUE(abandoned.Start());
    }
    EXPECT_EQ(RecorderFilesInTemp(), before);
}

TEST(MicrophoneRecording, SaveIntoMissingFolderFailsAndCloses)
{
    const std::string wavPath = OutputPath("no-such-folder/microphone.wav");
    CMicrophoneRecorder microphone;
    ASSERT_TRUE(microphone.Start());
    EXPECT_FALSE(microphone.FinishInto(wavPath));
    EXPECT_FALSE(microphone.IsRecording());
    EXPECT_FALSE(FileExists(wavPath));
}

} // namespace
