#pragma once
// The frame object: the skin object every taken-over window gets, and the
// common base of the control objects.

#include "skin/engine/frame/SkinFrameDraw.h"
#include "skin/engine/frame/SkinScrollBar.h"
#include "skin/engine/frame/SkinScrollDrag.h"
#include "skin/engine/takeover/SkinObject.h"
#include "win/OffscreenBuffer.h"

#include <windows.h>

#include <vector>

namespace tavrelin::skin {

// Window timers of the frame object: hot tracking of its caption buttons
// and scroll bars, and the strip of system-drawn frame styles after a
// z-order change.
constexpr UINT_PTR kSkinHotTrackTimer = 2763;
constexpr UINT_PTR kSkinFrameStyleTimer = 2765;

// The frame object and the common base of the control objects: paints the
// non-client area of its window from the skin (borders, caption, caption
// buttons, scroll bars), does its own hit testing, hot tracking and button
// pressing, and answers the control colour messages from the skin's metrics.
class CSkinObjectFrame : public CSkinObject {
public:
    using CSkinObject::CSkinObject;

    void OnSkinChanged(bool wasLoaded, bool isLoaded) override;
    void RefreshMetrics() override;
    bool IsExcludedMessage(UINT message) override;
    void OnHookAttached(const CREATESTRUCTA* create, bool automatic) override;
    void OnHookDetached(bool automatic) override;
    // Some systems give scroll bars and dialog frames back to a window when
    // its z-order changes: a second later the frame strips them again.
    void OnReordered() override;

    const std::vector<SkinCaptionButton>& CaptionButtons() const { return m_buttons; }
    bool IsFrameActive() const { return m_bActive; }
    bool TrackingPosition(int bar, int& position) const override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Paints the non-client area into dc, whose origin is the window's corner.
    virtual void PaintNonClient(HDC dc);
    // A control without a caption may draw its border itself (dc clipped to
    // outside the client area, window coordinates); false leaves it to the frame.
    virtual bool PaintOwnBorder(HDC, const RECT&, const RECT&) { return false; }
    bool FrameApplies() const;
    // Paints the non-client area now, when the frame is the skin's.
    void RepaintFrame();
    // Drags a scroll bar the object draws, in the object's press loop.
    void RunScrollDrag(SkinScrollDrag& drag, POINT start);

private:
    bool AnswerControlColor(UINT message, HDC dc, LRESULT& result) const;
    // The engine draws dialog frames and scroll bars itself: the system
    // recalculates the frame without them, and the window keeps its styles.
    void ReapplyFrameStyles();

    // Frame handling (SkinObjectFrame.cpp).
    bool HandleFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool UsesFlatScrollBars() const;
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO& info);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    void CorrectCaptionHeight();
    void UpdateRegion(int width, int height, bool force);
    void RefreshButtons();
    SkinFrameLook MakeLook(int width, int height);
    void PaintScrollBars(HDC dc, const RECT& client);
    void LayOutScrollBars(const RECT& client);

    // Mouse handling (SkinFrameMouse.cpp).
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    int OwnHitTest(POINT windowPoint) const;
    int ButtonAt(POINT windowPoint) const;
    bool OnNcMouseMove(LPARAM lParam);
    bool ClearHotStates();
    void OnHotTimer();
    bool OnNcLButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void PressCaptionButton(int index);
    void TrackScrollBar(bool vertical, POINT windowPoint);
    POINT ToWindowPoint(POINT screenPoint) const;
    void WakeModalLoop();
    bool NextLoopMessage(HWND window, MSG& message);

    // Indexes of m_scrollBars.
    static constexpr int kHorz = 0;
    static constexpr int kVert = 1;

    bool m_bChangingStyles = false;
    SkinFrameBorders m_borders;
    bool m_bHasHorzScroll = false;
    bool m_bHasVertScroll = false;
    SkinScrollBarState m_scrollBars[2];
    std::vector<SkinCaptionButton> m_buttons;
    int m_nHotButton = -1;
    int m_nPressedButton = -1;
    bool m_bActive = false;
    LONG m_nLastStyle = -1;
    LONG m_nLastExStyle = -1;
    SIZE m_regionSize{};
    bool m_bRegionSet = false;
    // How much taller than asked for the window is made for the skin's caption.
    int m_nCaptionGrowth = 0;
    bool m_bInModalLoop = false;
    bool m_bModalLoopCancelled = false;
    win::COffscreenBuffer m_scrollBuffer;
};

} // namespace tavrelin::skin
