#pragma once
// A design on the screen: a borderless, top-most window shaped like the
// design's frame on show, playing its frames at the GIF's pace. The left
// button drags it; the right button, Shift+F10 and the menu key offer
// "Colse", which destroys the window and lets its GIF go, and the zoom
// commands, which the wheel also gives.
#include "design/DesignFrames.h"
#include "design/DesignRules.h"
#include "win/Dialog.h"

#include <functional>
#include <string>

class CDesignWnd : public win::CDialog {
public:
    // `gone` is called once the window has been destroyed; the object may be
    // deleted there.
    CDesignWnd(std::string gifPath, tavrelin::SDesignFrames design, std::function<void(CDesignWnd*)> gone);

    // Creates the window from dialog 167 at (x, y) and shows it; false when
    // it can't be made.
    bool Open(int x, int y);

    const std::string& GifPath() const { return m_strGifPath; }
    int CurrentFrame() const { return m_nCurrentFrame; }
    int FrameCount() const { return static_cast<int>(m_design.frames.size()); }

    BOOL OnInitDialog() override;
    // Enter and Escape leave the window open.
    void OnOK() override {}
    void OnCancel() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void PostNcDestroy() override;

private:
    void ShowFrame(int index);
    void OnTimer();
    void OnPaint();
    void OnLButtonDown();
    void OnRButtonDown();
    void OpenMenuFromKeyboard();
    // "Colse", then "Zoom In" and "Zoom Out", at a point of the screen.
    void ShowWindowMenu(POINT at, UINT flags);
    void OnMouseWheel(int delta);
    void Resize(tavrelin::SWindowSize size);

    std::string m_strGifPath;
    tavrelin::SDesignFrames m_design;
    std::function<void(CDesignWnd*)> m_gone;
    int m_nCurrentFrame = 0;
    tavrelin::SWindowSize m_size{};
    HWND m_hLastForeground = nullptr;
    // Wheel movement not yet a whole notch.
    int m_nWheelDelta = 0;
};
