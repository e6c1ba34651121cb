#include "FixtureApp.h"

namespace e2e::test {
namespace {

const COLORREF kRed = RGB(255, 0, 0);

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_app.Main(), nullptr);
        // The first paint may still be on its way.
        ::RedrawWindow(m_app.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_TRUE(WaitUntil([&] { return PixelAt(BlockOnScreen().left + 1, BlockOnScreen().top + 1) == kRed; }));
    }

    RECT BlockOnScreen() const
    {
        RECT block{E2E_BLOCK_LEFT, E2E_BLOCK_TOP, E2E_BLOCK_RIGHT, E2E_BLOCK_BOTTOM};
        ::MapWindowPoints(m_app.Main(), HWND_DESKTOP, reinterpret_cast<POINT*>(&block), 2);
        return block;
    }

    FixtureApp m_app;
};

TEST_F(ScreenTest, CapturesExactlyThePaintedBlock)
{
    RECT around = BlockOnScreen();
    ::InflateRect(&around, 5, 5);
    const std::optional<ScreenImage> image = ScreenImage::Capture(around);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->Width(), E2E_BLOCK_RIGHT - E2E_BLOCK_LEFT + 10);
    EXPECT_EQ(image->Height(), E2E_BLOCK_BOTTOM - E2E_BLOCK_TOP + 10);
    EXPECT_EQ(image->CountColour(kRed),
              size_t{(E2E_BLOCK_RIGHT - E2E_BLOCK_LEFT) * (E2E_BLOCK_BOTTOM - E2E_BLOCK_TOP)});
    EXPECT_EQ(image->Pixel(5, 5), kRed);
    EXPECT_NE(image->Pixel(4, 5), kRed);
    EXPECT_NE(image->Pixel(5, 4), kRed);
    EXPECT_EQ(image->Pixel(image->Width() - 6, image->Height() - 6), kRed);
    EXPECT_NE(image->Pixel(image->Width() - 5, image->Height() - 6), kRed);
    EXPECT_EQ(image->Pixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(image->Pixel(0, image->Height()), CLR_INVALID);
}

TEST_F(ScreenTest, RefusesAnEmptyRectangle)
{
    EXPECT_FALSE(ScreenImage::Capture(RECT{10, 10, 10, 20}).has_value());
    EXPECT_FALSE(ScreenImage::Capture(RECT{10, 10, 5, 20}).has_value());
}

// The saved file is read back by the system's own BMP loader.
TEST_F(ScreenTest, SavedWindowBmpLoadsWithThePixelsOnScreen)
{
    const std::string path = m_app.Copy().File("window.bmp");
    ASSERT_TRUE(SaveWindowBmp(path, m_app.Main()));
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    ::GetObjectA(bitmap.get(), sizeof info, &info);
    const RECT window = WindowRect(m_app.Main());
    EXPECT_EQ(info.bmWidth, window.right - window.left);
    EXPECT_EQ(info.bmHeight, window.bottom - window.top);
    EXPECT_EQ(info.bmBitsPixel, 24);

    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectedObject selection(dc.get(), bitmap.get());
    const RECT block = BlockOnScreen();
    const int x = block.left - window.left;
    const int y = block.top - window.top;
    EXPECT_EQ(::GetPixel(dc.get(), x, y), kRed);
    EXPECT_EQ(::GetPixel(dc.get(), x + 59, y + 39), kRed);
    EXPECT_NE(::GetPixel(dc.get(), x - 1, y), kRed);
    EXPECT_NE(::GetPixel(dc.get(), x, y + 40), kRed);
}

TEST_F(ScreenTest, SaveFailsForAnUnwritablePath)
{
    EXPECT_FALSE(SaveScreenBmp(m_app.Copy().File("no\\such\\folder\\x.bmp"), BlockOnScreen()));
}

} // namespace
} // namespace e2e::test
