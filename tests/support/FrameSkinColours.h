#pragma once
// The colours make_test_skins.py gives the frames test skin: each frame,
// caption button and scroll bar part is one solid colour per state, so a
// screenshot tells which part and state was drawn where.
#include <windows.h>

namespace e2e::frames {

inline constexpr COLORREF kCaption[] = {RGB(200, 30, 40), RGB(90, 95, 100)}; // active, inactive
inline constexpr COLORREF kLeft[] = {RGB(10, 120, 30), RGB(15, 60, 20)};
inline constexpr COLORREF kRight[] = {RGB(20, 130, 140), RGB(25, 65, 70)};
inline constexpr COLORREF kBottom[] = {RGB(140, 20, 150), RGB(70, 25, 75)};
// Normal, hot, pushed, disabled.
inline constexpr COLORREF kClose[] = {RGB(250, 210, 10), RGB(250, 120, 10), RGB(160, 60, 10), RGB(120, 120, 120)};
inline constexpr COLORREF kButtons[] = {RGB(30, 40, 220), RGB(60, 160, 250), RGB(10, 20, 110), RGB(140, 140, 150)};
inline constexpr COLORREF kThumb = RGB(70, 20, 20);
// ARROWBTN frame 0 to 15.
inline COLORREF ArrowColour(int frame) { return RGB(16 * frame + 5, 255 - 12 * frame, 40 + 7 * frame); }
// CaptionBarHeight 29 in the skin, plus one line as the system counts it.
inline constexpr int kCaptionHeight = 30;
inline constexpr int kScrollWidth = 18;

} // namespace e2e::frames
