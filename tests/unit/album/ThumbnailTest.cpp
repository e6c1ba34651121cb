// The album's thumbnails and the GDI+ image services under Wine, on pictures
// that ImageMagick made (make-pictures.sh). Each thumbnail is left as two BMP
// files, made as the album makes it and made the old way through GDI+ and a
// BMP file, for check-thumbnails.sh to compare with each other (where the
// album goes through GDI+) and with ImageMagick's own scaling.
#include "album/AlbumThumbnail.h"
#include "gdiplus/GdiplusImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

const std::string kFolder = ALBUM_PICTURES_DIR;

std::string Input(const char* name) { return "Z:" + kFolder + "/" + name; }

// A bitmap's pixels as a 24-bit top-down BMP file, written plainly.
bool SaveBitmap(HBITMAP bitmap, const std::string& path)
{
    BITMAP shape{};
    if (!::GetObjectA(bitmap, sizeof shape, &shape))
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const size_t stride = (static_cast<size_t>(shape.bmWidth) * 3 + 3) & ~size_t{3};
    std::vector<char> rows(stride * static_cast<size_t>(shape.bmHeight));
    HDC screen = ::GetDC(nullptr);
    const int copied =
        ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), rows.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (copied != shape.bmHeight)
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rows.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}

// The way pictures reached the list before: a thumbnail saved by the BMP
// encoder and loaded back as a DIB section.
win::UniqueBitmap ThumbnailThroughBmpFile(const std::string& picture, const std::string& temporary)
{
    CLSID bmp{};
    if (gdiplus::LookUpEncoder(L"image/bmp", &bmp) < 0)
        return {};
    if (!gdiplus::CImage::Load(picture).Thumbnail(80, 60).Save(temporary, bmp))
        return {};
    constexpr UINT kFlags = LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION;
    win::UniqueBitmap loaded(
        static_cast<HBITMAP>(::LoadImageA(nullptr, temporary.c_str(), IMAGE_BITMAP, 0, 0, kFlags)));
    ::DeleteFileA(temporary.c_str());
    return loaded;
}

class Thumbnails : public ::testing::Test {
protected:
    gdiplus::CGdiplusSession m_gdiplus;
};

TEST_F(Thumbnails, InMemoryAndThroughBmpFileAreLeftForComparison)
{
    ASSERT_TRUE(m_gdiplus.IsStarted());
    for (const char* name : {"white-shapes", "gradient", "progressive", "transparent"}) {
        SCOPED_TRACE(name);
        const std::string extension = std::string(name) == "transparent" ? ".gif" : ".jpg";
        const std::string input = Input((std::string(name) + extension).c_str());
        const win::UniqueBitmap memory = MakeAlbumThumbnail(input);
        ASSERT_TRUE(memory);
        BITMAP shape{};
        ::GetObjectA(memory.get(), sizeof shape, &shape);
        EXPECT_EQ(shape.bmWidth, 80);
        EXPECT_EQ(shape.bmHeight, 60);
        const win::UniqueBitmap file = ThumbnailThroughBmpFile(input, "Z:" + kFolder + "/tmpthumbnailimage.bmp");
        ASSERT_TRUE(file);
        EXPECT_TRUE(SaveBitmap(memory.get(), "Z:" + kFolder + "/" + name + ".memory.bmp"));
        EXPECT_TRUE(SaveBitmap(file.get(), "Z:" + kFolder + "/" + name + ".file.bmp"));
    }
}

TEST_F(Thumbnails, UnreadablePicturesGiveNoThumbnailAndNoCallOnNothing)
{
    {
        std::ofstream damaged(kFolder + "/damaged.jpg", std::ios::binary);
        damaged << "\xff\xd8\xff\xe0 not really a picture";
    }
    for (const char* name : {"damaged.jpg", "missing.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(MakeAlbumThumbnail(Input(name)));
        gdiplus::CImage image = gdiplus::CImage::Load(Input(name));
        EXPECT_FALSE(image.IsLoaded());
        EXPECT_NE(image.LastStatus(), Gdiplus::Ok);
        EXPECT_FALSE(image.Thumbnail(80, 60).IsLoaded());
        EXPECT_FALSE(image.Clone().IsLoaded());
        EXPECT_FALSE(image.Size());
        EXPECT_FALSE(image.FrameCount());
        EXPECT_FALSE(image.FrameDelay());
        EXPECT_FALSE(image.SelectFrame(0));
        EXPECT_FALSE(image.ToDibSection());
    }
}

TEST_F(Thumbnails, BlankSlotIsWhite)
{
    const win::UniqueBitmap blank = MakeBlankThumbnail();
    ASSERT_TRUE(blank);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, blank.get());
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 79, 59), RGB(255, 255, 255));
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
}

TEST_F(Thumbnails, ImageServicesReadAnAnimationFrameByFrame)
{
    CLSID clsid{};
    EXPECT_GE(gdiplus::LookUpEncoder(L"image/bmp", &clsid), 0);
    EXPECT_EQ(gdiplus::LookUpEncoder(L"image/BMP", &clsid), -1) << "the MIME type is compared exactly";
    EXPECT_EQ(gdiplus::LookUpEncoder(L"image/none", &clsid), -1);

    gdiplus::CImage animation = gdiplus::CImage::Load(Input("animation.gif"));
    ASSERT_TRUE(animation.IsLoaded());
    EXPECT_EQ(animation.FrameCount(), 3u);
    EXPECT_EQ(animation.FrameDelay(), 10u) << "the first frame's delay, in hundredths";
    const std::optional<SIZE> size = animation.Size();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->cx, 40);
    EXPECT_EQ(size->cy, 30);
    // Each frame is one solid colour: red, green, blue.
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (UINT frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(animation.SelectFrame(frame));
        const win::UniqueBitmap pixels = animation.Clone().ToDibSection();
        ASSERT_TRUE(pixels);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ previous = ::SelectObject(dc, pixels.get());
        EXPECT_EQ(::GetPixel(dc, 20, 15), colours[frame]) << "frame " << frame;
        ::SelectObject(dc, previous);
        ::DeleteDC(dc);
    }
    EXPECT_FALSE(animation.SelectFrame(3));

    const gdiplus::CImage still = gdiplus::CImage::Load(Input("transparent.gif"));
    EXPECT_EQ(still.FrameCount(), 1u);
    EXPECT_FALSE(still.FrameDelay()) << "a still GIF has no delay";
}

} // namespace
