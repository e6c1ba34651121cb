// The grab reads the screen over a window of this process painted with known
// pixels: one to one, doubled, halved, with a shaped top-most window over it,
// partly off the screen, from two threads at once, and with no usable size.
#include "aviwin/DibSection.h"
#include "grab/FrameGrab.h"
#include "grab/BitmapFile.h"
#include "GrabTestFiles.h"
#include "PatternWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using grabtest::CPatternWindow;
using grabtest::Picture;
using grabtest::ToRgb;

constexpr int kBoxX = 120;
constexpr int kBoxY = 90;
constexpr COLORREF kOverlay = RGB(240, 24, 48);

std::unique_ptr<CPatternWindow> ShowBox(int x, int y, grabtest::PixelPattern pattern)
{
    auto box = std::make_unique<CPatternWindow>(x, y, kGrabBoxWidth, kGrabBoxHeight, std::move(pattern));
    // Some pixel of the box that is on the screen shows when painting is done.
    const int probeX = std::max(x, 0) + 2 - x;
    const int probeY = std::max(y, 0) + 2 - y;
    EXPECT_TRUE(grabtest::WaitForScreenPixel(x + probeX, y + probeY, box->Pattern()(probeX, probeY)))
        << grabtest::DescribeScreenPoint(x + probeX, y + probeY);
    return box;
}

std::optional<Picture> Grab(HWND window, int width, int height)
{
    const win::UniqueBitmap bitmap = GrabDesignBox(window, width, height);
    if (!bitmap)
        return std::nullopt;
    return grabtest::SectionPicture(bitmap.get());
}

// How many pixels differ from what `expected` says; the first few are reported.
template <class Expected>
int CountMismatches(const Picture& picture, Expected expected)
{
    int mismatches = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t want = expected(x, y);
            if (picture.At(x, y) != want && ++mismatches <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << picture.At(x, y) << ", expected "
                              << want;
        }
    }
    return mismatches;
}

TEST(FrameGrabTest, ResultIsABottomUp24BitSectionOfTheRequestedSize)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    for (const SIZE size : {SIZE{320, 240}, SIZE{640, 480}, SIZE{176, 144}, SIZE{1, 1}}) {
        const win::UniqueBitmap bitmap = GrabDesignBox(box->Handle(), size.cx, size.cy);
        ASSERT_TRUE(bitmap) << size.cx << "x" << size.cy;
        DIBSECTION section{};
        ASSERT_EQ(::GetObjectA(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_NE(section.dsBm.bmBits, nullptr);
        EXPECT_EQ(section.dsBmih.biWidth, size.cx);
        EXPECT_EQ(section.dsBmih.biHeight, size.cy);
        EXPECT_EQ(section.dsBmih.biBitCount, 24);
        EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
        const std::optional<DibFrame> frame = DibFrameFromBitmap(bitmap.get());
        ASSERT_TRUE(frame);
        EXPECT_TRUE(IsUsableDib(*frame));
    }
}

TEST(FrameGrabTest, BoxSizeIsAOneToOneCopy)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    const std::optional<Picture> picture = Grab(box->Handle(), 320, 240);
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountMismatches(*picture, [](int x, int y) { return ToRgb(grabtest::UniquePattern(x, y)); }), 0);
}

TEST(FrameGrabTest, DoubleSizeRepeatsEveryPixelInBothDirections)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    const std::optional<Picture> picture = Grab(box->Handle(), 640, 480);
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountMismatches(*picture, [](int x, int y) { return ToRgb(grabtest::UniquePattern(x / 2, y / 2)); }), 0);
}

TEST(FrameGrabTest, HalfSizeKeepsOnePixelOfEveryBlock)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::BlockPattern);
    const std::optional<Picture> picture = Grab(box->Handle(), 160, 120);
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountMismatches(*picture, [](int x, int y) { return ToRgb(grabtest::UniquePattern(x, y)); }), 0);
}

TEST(FrameGrabTest, SavedGrabReadsBackAsTheScreenShowedIt)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    const win::UniqueBitmap bitmap = GrabDesignBox(box->Handle(), 640, 480);
    ASSERT_TRUE(bitmap);
    const std::string path = grabtest::OutputFolder(GRAB_BMP_DIR) + "\\grab_640x480.bmp";
    ASSERT_TRUE(SaveBitmapFile(bitmap.get(), path, box->Handle()));
    const std::optional<grabtest::BmpFile> file = grabtest::ReadFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes.size(), 54u + 640 * 3 * 480);
    const std::optional<Picture> picture = grabtest::Bmp24Picture(*file);
    ASSERT_TRUE(picture);
    auto expected = [](int x, int y) { return ToRgb(grabtest::UniquePattern(x / 2, y / 2)); };
    EXPECT_EQ(CountMismatches(*picture, expected), 0);
    grabtest::Expectation expectation{640, 480, {}};
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 640; x += 5)
            expectation.Pixel(x, y, expected(x, y));
    }
    EXPECT_TRUE(grabtest::WriteExpectation(path, expectation));
}

TEST(FrameGrabTest, ShapedTopMostWindowOverTheBoxIsInTheGrabOnlyWhereItsRegionIs)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    // An ellipse over the left half of the box; its cut-away corners show the box.
    const RECT overlay{kBoxX - 40, kBoxY + 20, kBoxX + 160, kBoxY + 220};
    const int size = overlay.right - overlay.left;
    const win::UniqueRegion shape(::CreateEllipticRgn(0, 0, size, size));
    CPatternWindow cover(
        overlay.left, overlay.top, size, size, [](int, int) { return kOverlay; },
        ::CreateEllipticRgn(0, 0, size, size));
    ASSERT_TRUE(grabtest::WaitForScreenPixel(kBoxX + 60, kBoxY + 120, kOverlay));

    auto expected = [&](int x, int y) {
        const int overlayX = kBoxX + x - overlay.left;
        const int overlayY = kBoxY + y - overlay.top;
        return ::PtInRegion(shape.get(), overlayX, overlayY) ? ToRgb(kOverlay) : ToRgb(grabtest::UniquePattern(x, y));
    };
    std::optional<Picture> picture = Grab(box->Handle(), 320, 240);
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountMismatches(*picture, expected), 0);
    EXPECT_EQ(picture->At(155, 25), ToRgb(grabtest::UniquePattern(155, 25))) << "a cut-away corner";

    cover.MoveTo(kBoxX + 400, kBoxY);
    ASSERT_TRUE(grabtest::WaitForScreenPixel(kBoxX + 60, kBoxY + 120, grabtest::UniquePattern(60, 120)));
    picture = Grab(box->Handle(), 320, 240);
    ASSERT_TRUE(picture);
    EXPECT_EQ(CountMismatches(*picture, [](int x, int y) { return ToRgb(grabtest::UniquePattern(x, y)); }), 0);
}

struct OffScreenCase {
    const char* name;
    int (*left)(int screenWidth);
    int (*top)(int screenHeight);
};

const OffScreenCase kOffScreen[] = {
    {"left_and_top", [](int) { return -100; }, [](int) { return -60; }},
    {"right_and_bottom", [](int width) { return width - 200; }, [](int height) { return height - 100; }},
};

class FrameGrabOffScreenTest : public ::testing::TestWithParam<OffScreenCase> {};

TEST_P(FrameGrabOffScreenTest, PartsOffTheScreenAreBlack)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int left = GetParam().left(screenWidth);
    const int top = GetParam().top(screenHeight);
    const auto box = ShowBox(left, top, grabtest::UniquePattern);
    const std::optional<Picture> picture = Grab(box->Handle(), 320, 240);
    ASSERT_TRUE(picture);
    auto expected = [&](int x, int y) {
        const bool onScreen = left + x >= 0 && top + y >= 0 && left + x < screenWidth && top + y < screenHeight;
        return onScreen ? ToRgb(grabtest::UniquePattern(x, y)) : 0u;
    };
    EXPECT_EQ(CountMismatches(*picture, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, FrameGrabOffScreenTest, ::testing::ValuesIn(kOffScreen),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameGrabTest, TwoThreadsGrabAtOnce)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    const HWND window = box->Handle();
    std::atomic<int> good{0};
    auto grabber = [&](int width, int height) {
        for (int round = 0; round < 25; ++round) {
            const std::optional<Picture> picture = Grab(window, width, height);
            if (picture && picture->At(width - 1, height - 1) == ToRgb(grabtest::UniquePattern(319, 239)) &&
                picture->At(0, 0) == ToRgb(grabtest::UniquePattern(0, 0)))
                ++good;
        }
    };
    std::thread first(grabber, 320, 240);
    std::thread second(grabber, 640, 480);
    first.join();
    second.join();
    EXPECT_EQ(good.load(), 50);
}

TEST(FrameGrabTest, NoUsableSizeOrWindowGivesNoFrame)
{
    const auto box = ShowBox(kBoxX, kBoxY, grabtest::UniquePattern);
    EXPECT_FALSE(GrabDesignBox(box->Handle(), 0, 0)) << "no camera";
    EXPECT_FALSE(GrabDesignBox(box->Handle(), -320, 240));
    EXPECT_FALSE(GrabDesignBox(box->Handle(), 320, 0));
    EXPECT_FALSE(GrabDesignBox(box->Handle(), 100000, 100000));
    EXPECT_FALSE(GrabDesignBox(nullptr, 320, 240));
    HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    EXPECT_FALSE(GrabDesignBox(gone, 320, 240));

    // What the frame writer gets when a grab is done the platform's way with
    // no size: the 1 x 1 monochrome bitmap, which is no frame.
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    HBITMAP stock = ::CreateCompatibleBitmap(dc.get(), 0, 0);
    EXPECT_FALSE(DibFrameFromBitmap(stock));
    EXPECT_FALSE(DibFrameFromBitmap(nullptr));
    EXPECT_FALSE(SaveBitmapFile(nullptr, grabtest::OutputFolder(GRAB_BMP_DIR) + "\\none.bmp", box->Handle()));
}

} // namespace
