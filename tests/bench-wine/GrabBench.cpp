// What one recorded frame costs under Wine: the grab of the design box at
// three capture sizes, read from the screen (as frames were taken before they
// were composed) and composed in memory from a camera picture of that size and
// a shaped design over the box, the BMP write of a snapshot, and one AVI
// append stored uncompressed and as Motion-JPEG. Prints milliseconds per
// frame, averaged over many frames and for the fastest batch of them, to
// standard output and to the file named by the first argument. A
// measurement, not a test: nothing here passes or fails.
#include "aviwin/AviFileWriter.h"
#include "grab/BitmapFile.h"
#include "grab/FrameGrab.h"
#include "grab/PictureSources.h"
#include "aviwin/MotionJpegCodec.h"
#include "PatternWindow.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 200;
constexpr int kWarmUp = 10;

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
    double mean = -1;      // over every counted call
    double bestBatch = -1; // the fastest of kBatches equal batches: less disturbed by other load
};
constexpr int kBatches = 5;

// Milliseconds of one call, after a few calls that are not counted.
Timing TimePerCall(int rounds, const std::function<void()>& call)
{
    for (int round = 0; round < kWarmUp; ++round)
        call();
    const int perBatch = rounds / kBatches;
    LONGLONG total = 0;
    LONGLONG best = 0;
    for (int batch = 0; batch < kBatches; ++batch) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        for (int round = 0; round < perBatch; ++round)
            call();
        ::QueryPerformanceCounter(&end);
        const LONGLONG ticks = end.QuadPart - start.QuadPart;
        total += ticks;
        best = batch == 0 ? ticks : std::min(best, ticks);
    }
    return {Milliseconds(total) / (perBatch * kBatches), Milliseconds(best) / perBatch};
}

std::string TempPath(const char* name)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Milliseconds per appended frame for a recording of kRounds frames; negative
// when the writer refused the file or the configuration.
Timing TimeAppend(HBITMAP frame, DWORD handler)
{
    CAviFileWriter writer;
    const std::string path = TempPath("tavrelin-grab-bench.avi");
    std::unique_ptr<AviWriter> avi = writer.AviOpen(path.c_str(), 100, nullptr);
    if (!avi)
        return {};
    AVICOMPRESSOPTIONS options{};
    options.fccType = streamtypeVIDEO;
    options.fccHandler = handler;
    if (writer.AviConfigureVideo(avi.get(), frame, &options, FALSE, nullptr) != AVIERR_OK)
        return {};
    const Timing perFrame = TimePerCall(kRounds, [&] { writer.AviAppendFrame(avi.get(), frame); });
    writer.AviClose(std::move(avi));
    ::DeleteFileA(path.c_str());
    return perFrame;
}

struct Result {
    std::string name;
    Timing timing;
};

// A camera picture of the size, as the capture window over the box publishes it.
void PublishCamera(HWND camera, SIZE size)
{
    auto picture = std::make_shared<tavrelin::SPicture>();
    picture->width = size.cx;
    picture->height = size.cy;
    picture->pixels.resize((static_cast<size_t>(size.cx) * 3 + 3) / 4 * 4 * static_cast<size_t>(size.cy), 0x5A);
    tavrelin::PublishPicture({camera, tavrelin::EPictureLayer::Camera, picture, true, {}, {}});
}

std::vector<Result> Measure(HWND box, HWND camera)
{
    std::vector<Result> results;
    for (const SIZE size : {SIZE{320, 240}, SIZE{640, 480}, SIZE{1280, 720}}) {
        const std::string label = std::to_string(size.cx) + "x" + std::to_string(size.cy);
        results.push_back(
            {"grab screen " + label, TimePerCall(kRounds, [&] { GrabScreenBox(box, size.cx, size.cy); })});
        PublishCamera(camera, size);
        results.push_back(
            {"grab composed " + label, TimePerCall(kRounds, [&] { GrabDesignBox(box, size.cx, size.cy); })});
        const win::UniqueBitmap frame = GrabDesignBox(box, size.cx, size.cy);
        const std::string bmpPath = TempPath("tavrelin-grab-bench.bmp");
        results.push_back(
            {"save BMP " + label, TimePerCall(kRounds / 4, [&] { SaveBitmapFile(frame.get(), bmpPath, box); })});
        ::DeleteFileA(bmpPath.c_str());
        results.push_back({"append uncompressed " + label, TimeAppend(frame.get(), mmioFOURCC('D', 'I', 'B', ' '))});
        results.push_back({"append Motion-JPEG " + label, TimeAppend(frame.get(), kFourccMotionJpeg)});
    }
    return results;
}

} // namespace

int main(int argc, char** argv)
{
    const char* outputPath = argc > 1 ? argv[1] : "grab-bench.txt";
    InstallMotionJpegCompressor();
    grabtest::CPatternWindow box(100, 100, kGrabBoxWidth, kGrabBoxHeight, grabtest::UniquePattern);
    // The capture window's stand-in: a child exactly over the box.
    HWND camera = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, kGrabBoxWidth, kGrabBoxHeight,
                                    box.Handle(), nullptr, nullptr, nullptr);
    // A 200 x 200 design with an elliptic shape over the box's left half.
    const int side = 200;
    grabtest::CPatternWindow design(60, 120, side, side, grabtest::BlockPattern, ::CreateEllipticRgn(0, 0, side, side));
    const win::UniqueBitmap designFrame(::CreateBitmap(side, side, 1, 32, nullptr));
    const win::UniqueRegion designShape(::CreateEllipticRgn(0, 0, side, side));
    tavrelin::SPublishedPicture published{design.Handle(), tavrelin::EPictureLayer::Design};
    published.picture = tavrelin::PictureOfBitmap(designFrame.get());
    published.shape = tavrelin::CopyRegion(designShape.get());
    tavrelin::PublishPicture(published);
    grabtest::WaitForScreenPixel(150, 150, grabtest::BlockPattern(90, 30));

    const std::vector<Result> results = Measure(box.Handle(), camera);
    FILE* output = std::fopen(outputPath, "w");
    for (const Result& result : results) {
        char line[128];
        if (result.timing.mean < 0)
            std::snprintf(line, sizeof line, "%-30s refused\n", result.name.c_str());
        else
            std::snprintf(line, sizeof line, "%-30s %8.3f ms per frame (best batch %.3f)\n", result.name.c_str(),
                          result.timing.mean, result.timing.bestBatch);
        std::fputs(line, stdout);
        if (output)
            std::fputs(line, output);
    }
    if (output)
        std::fclose(output);
    return output ? 0 : 1;
}
