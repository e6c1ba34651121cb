#pragma once
// The capture window: a child window that shows a capture driver's live
// picture and answers the WM_CAP_ messages of <vfw.h>. The platform's own is
// used where it exists; elsewhere (Wine has none) ours answers the same
// messages the camera page relies on.
#include <windows.h>

// The name of our window class.
inline constexpr const char* kCaptureWindowClass = "TavrelinCaptureWindow";

// How often the live picture is renewed: what the camera page asks for, and
// what our window uses until it is asked.
inline constexpr UINT kPreviewRateMs = 66;

// The platform's capture window when it can make one, otherwise ours; null
// when neither can be created.
HWND CreateCaptureWindow(const char* name, DWORD style, int x, int y, int width, int height, HWND parent, int id);

// Always ours; tests use it to exercise our window where the platform has one.
HWND CreateOwnCaptureWindow(const char* name, DWORD style, int x, int y, int width, int height, HWND parent, int id);
