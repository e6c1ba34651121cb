// A design's frames and shapes under Wine, from GIFs that ImageMagick made
// (make-designs.sh).
#include "design/DesignFrames.h"

#include "ReferenceRegion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

const std::string kFolder = DESIGN_FILES_DIR;

std::string Design(const char* name) { return "Z:" + kFolder + "/" + name; }

class DesignFrames : public ::testing::Test {
protected:
    gdiplus::CGdiplusSession m_gdiplus;
};

// A frame's pixels as 24-bit top-down rows, whatever kind of bitmap holds them.
std::vector<BYTE> Pixels(HBITMAP bitmap, SIZE* size)
{
    BITMAP shape{};
    ::GetObjectA(bitmap, sizeof shape, &shape);
    *size = {shape.bmWidth, shape.bmHeight};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, shape.bmWidth, -shape.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> rows(static_cast<size_t>((shape.bmWidth * 3 + 3) & ~3) * shape.bmHeight);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), rows.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return rows;
}

void ExpectSameShape(HBITMAP frame, const char* what)
{
    const win::UniqueRegion built = tavrelin::BuildFrameRegion(frame);
    const win::UniqueRegion reference(designtest::BuildReferenceRegion(frame));
    ASSERT_TRUE(built && reference) << what;
    EXPECT_TRUE(::EqualRgn(built.get(), reference.get())) << what;
}

TEST_F(DesignFrames, ShapesEqualThePixelByPixelOnesForEveryFrame)
{
    for (const char* name : {"still.gif", "animated.gif", "zoom200x150.gif"}) {
        const auto design = tavrelin::LoadDesignFrames(Design(name));
        ASSERT_TRUE(design) << name;
        for (size_t k = 0; k < design->frames.size(); ++k)
            ExpectSameShape(design->frames[k].get(), (std::string(name) + " frame " + std::to_string(k)).c_str());
    }
    // Noise of two colours: about half the pixels cut out, in short runs.
    std::mt19937 random(3);
    for (const SIZE size : {SIZE{320, 240}, SIZE{641, 479}}) {
        void* bits = nullptr;
        const win::UniqueBitmap frame = gdiplus::CreateDibSection24(size.cx, size.cy, &bits);
        ASSERT_TRUE(frame);
        const size_t stride = (static_cast<size_t>(size.cx) * 3 + 3) & ~size_t{3};
        auto* bytes = static_cast<BYTE*>(bits);
        for (size_t i = 0; i < stride * static_cast<size_t>(size.cy); ++i)
            bytes[i] = (random() % 2) ? 0x00 : 0xFF;
        ExpectSameShape(frame.get(), "noise");
    }
}

TEST_F(DesignFrames, FramesMadeInMemoryEqualTheOnesABmpFileGave)
{
    CLSID bmp{};
    ASSERT_GE(gdiplus::LookUpEncoder(L"image/bmp", &bmp), 0);
    const std::string temporary = kFolder + "/frame.tmp.bmp";
    for (const char* name : {"still.gif", "animated.gif"}) {
        const auto design = tavrelin::LoadDesignFrames(Design(name));
        ASSERT_TRUE(design) << name;
        gdiplus::CImage gif = gdiplus::CImage::Load(Design(name));
        for (UINT k = 0; k < design->frames.size(); ++k) {
            gif.SelectFrame(k);
            ASSERT_TRUE(gif.Save("Z:" + temporary, bmp));
            const win::UniqueBitmap fromFile(static_cast<HBITMAP>(
                ::LoadImageA(nullptr, ("Z:" + temporary).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
            ASSERT_TRUE(fromFile);
            SIZE memorySize{}, fileSize{};
            EXPECT_EQ(Pixels(design->frames[k].get(), &memorySize), Pixels(fromFile.get(), &fileSize))
                << name << " frame " << k;
            EXPECT_EQ(memorySize.cx, fileSize.cx);
        }
    }
    std::remove(temporary.c_str());
}

TEST_F(DesignFrames, IntervalFollowsTheDelayButNeverTicksBusily)
{
    struct Case {
        const char* name;
        unsigned ms;
        size_t frames;
    };
    for (const Case c : {Case{"animated.gif", 100, 3}, Case{"still.gif", 100, 1}, Case{"delay0.gif", 100, 2},
                         Case{"delay1.gif", 100, 2}, Case{"delay25.gif", 250, 2}}) {
        const auto design = tavrelin::LoadDesignFrames(Design(c.name));
        ASSERT_TRUE(design) << c.name;
        EXPECT_EQ(design->intervalMs, c.ms) << c.name;
        EXPECT_EQ(design->frames.size(), c.frames) << c.name;
    }
}

TEST_F(DesignFrames, ALongAnimationKeepsItsFirstHundredFramesInOrder)
{
    const auto design = tavrelin::LoadDesignFrames(Design("long.gif"));
    ASSERT_TRUE(design);
    ASSERT_EQ(design->frames.size(), 100u);
    for (const int k : {0, 1, 57, 99}) {
        SIZE size{};
        const std::vector<BYTE> pixels = Pixels(design->frames[static_cast<size_t>(k)].get(), &size);
        const BYTE* centre = pixels.data() + 8 * ((size.cx * 3 + 3) & ~3) + 8 * 3;
        EXPECT_EQ(RGB(centre[2], centre[1], centre[0]), RGB(2 * k, 255 - 2 * k, 128)) << "frame " << k;
    }
}

TEST_F(DesignFrames, WhatIsNoPictureGivesNoDesign)
{
    for (const char* name : {"broken.gif", "empty.gif", "missing.gif"})
        EXPECT_FALSE(tavrelin::LoadDesignFrames(Design(name))) << name;
}

} // namespace
