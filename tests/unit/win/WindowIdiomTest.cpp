// The framework's parts that windows without a resource rely on: dialogs
// from an in-memory template, windows that own their object, and the
// off-screen buffer kept across paints. The platform is the judge: class
// names, dialog-unit conversion and pixels are read back from it.
#include "win/Dialog.h"
#include "win/DialogTemplate.h"
#include "win/OffscreenBuffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Template = win::CDialogTemplate;

constexpr WORD kLabelId = 100;
constexpr WORD kListId = 101;
constexpr WORD kComboId = 102;

std::wstring Text(HWND window)
{
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// Runs a check from inside the dialog's initialisation, then ends it.
class CProbeDlg final : public win::CDialog {
public:
    explicit CProbeDlg(std::function<void(CProbeDlg&)> probe) : m_probe(std::move(probe)) {}

protected:
    BOOL OnInitDialog() override
    {
        m_probe(*this);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return TRUE;
    }

private:
    std::function<void(CProbeDlg&)> m_probe;
};

Template ThreeControls()
{
    Template dialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 100, L"Choose a size");
    dialogTemplate.AddControl(Template::kStatic, L"Bildgröße:", kLabelId, SS_LEFT, 7, 7, 100, 8);
    dialogTemplate.AddControl(Template::kListBox, L"", kListId, LBS_NOTIFY | WS_BORDER, 7, 18, 146, 40);
    dialogTemplate.AddControl(Template::kComboBox, L"", kComboId, CBS_DROPDOWNLIST, 7, 60, 146, 60);
    dialogTemplate.AddControl(Template::kButton, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 103, 80, 50, 14);
    return dialogTemplate;
}

TEST(DialogTemplate, EveryControlHasItsClassTextAndPlaceInDialogUnits)
{
    const Template dialogTemplate = ThreeControls();
    bool probed = false;
    CProbeDlg dialog([&](CProbeDlg& self) {
        probed = true;
        EXPECT_EQ(Text(self.m_hWnd), L"Choose a size");
        EXPECT_EQ(::GetWindow(self.m_hWnd, GW_OWNER), nullptr) << "no owner means none";
        struct Expected {
            int id;
            const char* className;
            RECT units;
        };
        for (const Expected& control :
             {Expected{kLabelId, "Static", {7, 7, 107, 15}}, Expected{kListId, "ListBox", {7, 18, 153, 58}},
              Expected{IDOK, "Button", {103, 80, 153, 94}}}) {
            HWND item = self.GetDlgItem(control.id);
            ASSERT_NE(item, nullptr) << control.className;
            EXPECT_EQ(ClassOf(item), control.className);
            RECT expected = control.units;
            ::MapDialogRect(self.m_hWnd, &expected);
            RECT placed{};
            ::GetWindowRect(item, &placed);
            ::MapWindowPoints(nullptr, self.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_EQ(placed.left, expected.left) << control.className;
            EXPECT_EQ(placed.top, expected.top) << control.className;
            EXPECT_EQ(placed.right, expected.right) << control.className;
        }
        EXPECT_EQ(ClassOf(self.GetDlgItem(kComboId)), "ComboBox");
        EXPECT_EQ(Text(self.GetDlgItem(kLabelId)), L"Bildgröße:");
        EXPECT_EQ(Text(self.GetDlgItem(IDOK)), L"OK");
        const wchar_t entry[] = L"Motion-JPEG – Ä";
        ::SendMessageW(self.GetDlgItem(kComboId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        wchar_t back[32] = {};
        ::SendMessageW(self.GetDlgItem(kComboId), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(back));
        EXPECT_STREQ(back, entry) << "the controls keep text in any language";
    });
    EXPECT_EQ(dialog.DoModalIndirect(dialogTemplate.Get(), nullptr), IDOK);
    EXPECT_TRUE(probed);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogTemplate, AnsiTextIsWidenedByTheCodePage)
{
    EXPECT_EQ(win::WidenAnsi("Video Format"), L"Video Format");
    EXPECT_EQ(win::WidenAnsi(""), L"");
}

// A modal dialog whose owner goes while it is open goes with it; the loop
// must end instead of waiting for an EndDialog that never comes.
TEST(DialogTemplate, ModalLoopEndsWhenTheOwnerTakesTheDialogAlong)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                   nullptr);
    ASSERT_NE(owner, nullptr);
    const Template dialogTemplate = ThreeControls();

    class CStayingDlg final : public win::CDialog {
    public:
        explicit CStayingDlg(HWND owner) : m_owner(owner) {}
        BOOL OnInitDialog() override
        {
            ::PostMessageA(m_owner, WM_CLOSE, 0, 0);
            return TRUE;
        }
        HWND m_owner;
    } dialog(owner);
    EXPECT_EQ(dialog.DoModalIndirect(dialogTemplate.Get(), owner), -1);
    EXPECT_FALSE(::IsWindow(owner));
}

// Records when its handlers end and when the object goes.
class CSelfOwnedWindow final : public win::CWnd {
public:
    explicit CSelfOwnedWindow(std::vector<std::string>& log) : m_log(log) {}
    ~CSelfOwnedWindow() override { m_log.push_back("object gone"); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP)
            return CWnd::WindowProc(message, wParam, lParam);
        DestroyWindow();
        m_log.push_back("handler ended");
        return 0;
    }

private:
    std::vector<std::string>& m_log;
};

HWND CreateSelfOwned(std::vector<std::string>& log, HWND parent)
{
    const std::string className = win::RegisterClassForFramework(0, nullptr, nullptr, nullptr);
    auto window = std::make_unique<CSelfOwnedWindow>(log);
    if (!window->CreateEx(0, className.c_str(), "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr))
        return nullptr;
    return win::CWnd::GiveToWindow(std::move(window));
}

TEST(SelfOwnedWindow, GoesWithItsParent)
{
    std::vector<std::string> log;
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateSelfOwned(log, parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(win::CWnd::FromHandlePermanent(child)->m_hWnd, child);
    ::DestroyWindow(parent);
    EXPECT_EQ(log, std::vector<std::string>{"object gone"});
}

TEST(SelfOwnedWindow, DestroyedFromItsOwnHandlerGoesOnlyAfterTheHandlerEnded)
{
    std::vector<std::string> log;
    HWND window = CreateSelfOwned(log, nullptr);
    ASSERT_NE(window, nullptr);
    ::SendMessageA(window, WM_APP, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(log, (std::vector<std::string>{"handler ended", "object gone"}));
}

// A 32-bit top-down DIB section to paint into and read back.
class CPixelTarget {
public:
    CPixelTarget(int width, int height) : m_dc(::CreateCompatibleDC(nullptr)), m_width(width)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<const std::uint32_t*>(bits);
        m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    }
    ~CPixelTarget() { ::SelectObject(m_dc.get(), m_previous); }
    HDC dc() const { return m_dc.get(); }
    std::uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }

private:
    win::UniqueMemoryDC m_dc;
    win::UniqueBitmap m_bitmap;
    const std::uint32_t* m_bits = nullptr;
    HGDIOBJ m_previous = nullptr;
    int m_width;
};

std::uint32_t Fill(HDC dc, const RECT& area, COLORREF colour)
{
    const win::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush.get());
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

TEST(OffscreenBuffer, KeepsItsBitmapAcrossPaintsAndRemakesItOnlyForANewSize)
{
    CPixelTarget target(40, 30);
    win::COffscreenBuffer buffer;
    HDC first = buffer.Prepare(target.dc(), 40, 30);
    ASSERT_NE(first, nullptr);
    HGDIOBJ bitmap = ::GetCurrentObject(first, OBJ_BITMAP);
    EXPECT_EQ(buffer.Prepare(target.dc(), 40, 30), first);
    EXPECT_EQ(::GetCurrentObject(first, OBJ_BITMAP), bitmap) << "the same bitmap on the next paint";

    HDC resized = buffer.Prepare(target.dc(), 20, 10);
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(::GetCurrentObject(resized, OBJ_BITMAP), sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 20);
    EXPECT_EQ(info.bmHeight, 10);
    EXPECT_EQ(buffer.Prepare(target.dc(), 0, 10), nullptr);
}

TEST(OffscreenBuffer, CopiesOnlyTheAreaAsked)
{
    CPixelTarget target(40, 30);
    const std::uint32_t background = Fill(target.dc(), {0, 0, 40, 30}, RGB(0, 0, 255));
    win::COffscreenBuffer buffer;
    HDC drawing = buffer.Prepare(target.dc(), 40, 30);
    ASSERT_NE(drawing, nullptr);
    const std::uint32_t drawn = Fill(drawing, {0, 0, 40, 30}, RGB(200, 10, 20));
    buffer.CopyTo(target.dc(), {10, 5, 30, 25});
    EXPECT_EQ(target.At(10, 5), drawn);
    EXPECT_EQ(target.At(29, 24), drawn);
    EXPECT_EQ(target.At(9, 5), background);
    EXPECT_EQ(target.At(30, 24), background);
    EXPECT_EQ(target.At(10, 25), background);
}

} // namespace
