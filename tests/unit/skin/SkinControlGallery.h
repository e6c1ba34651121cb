#pragma once
// One gallery window under the probe skin for the control tests: a plain
// top-level window whose children are taken over by a manager that hooks
// window creation. Its procedure answers the colour messages as a test asks
// and logs the custom-draw notifications it gets.

#include "SkinProbe.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavrelin::skin::test {

struct CustomDrawRecord {
    DWORD stage;
    DWORD_PTR item;
    bool memoryDc;
    RECT rect;
    LRESULT answer;
};

struct GalleryBehaviour {
    LRESULT staticColorAnswer = 0; // 0: the default procedure answers
    LRESULT prepaintAnswer = CDRF_DODEFAULT;
    LRESULT itemPrepaintAnswer = CDRF_DODEFAULT;
    DWORD_PTR skippedItem = static_cast<DWORD_PTR>(-1); // answered CDRF_SKIPDEFAULT at item prepaint
    COLORREF postPaintMarker = CLR_INVALID;             // a 4 x 4 square at (1, 1) at CDDS_POSTPAINT
    COLORREF prepaintFill = CLR_INVALID;                // the whole rectangle at CDDS_PREPAINT
    COLORREF ownerDrawColour = RGB(3, 2, 1);
    std::vector<CustomDrawRecord> customDraw;
    std::vector<WORD> horizontalScrolls; // the requests of WM_HSCROLL, in order
};

GalleryBehaviour& Behaviour();

class SkinControls : public ::testing::Test {
public:
    // Moves the mouse over a client point of the window (its middle when
    // none is given) and tells it so.
    static void Hover(HWND window, POINT client);
    static void Hover(HWND window);
    // A control of 160 x 24 pixels at (20, 20) (a combo box with room for
    // its list below).
    HWND AddControl(const char* windowClass, const char* text, DWORD style, DWORD exStyle);
    // A tooltip over the gallery showing the text at (300, 300).
    HWND ShowTip(const char* text);

protected:
    void SetUp() override;
    void TearDown() override;

    HWND Add(const char* windowClass, const char* text, DWORD style, int x, int y, int width, int height,
             DWORD exStyle = 0);
    // "CLASS PART STATE ROLE" of a client pixel of a child, as shown now.
    std::string Look(HWND window, int x, int y) const;
    // The same for a pixel of the whole window, its frame included.
    std::string FrameLook(HWND window, int x, int y) const;
    // A screenshot of the gallery for the test's artefacts.
    void SaveShot(const std::string& name) const;
    // Opens a popup menu of five items (the second disabled, a separator, a
    // checked one with a shortcut, a submenu) at (100, 100) and runs the
    // steps on it in turn from the menu's loop; closes it after the last.
    void OpenMenu(std::vector<std::function<void(HWND menuWindow)>> steps);
    // The pixels of a menu item on the screen that show the look, and their
    // share of the item when asked.
    size_t MenuItemPixels(HWND menuWindow, int position, const std::string& look, double* share = nullptr) const;

    // The probe's property file: Bare.ini leaves out the later objects' classes.
    std::string m_strPropertyFile = "Normal.ini";
    CProbeTable m_table{ProbeTablePath()};
    std::unique_ptr<CSkinManager> m_manager;
    HWND m_gallery = nullptr;
};

} // namespace tavrelin::skin::test
