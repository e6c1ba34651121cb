#pragma once
// "take pictures": the design box's picture as a numbered JPEG file in the
// album folder, and the short notice that says a picture was taken.
#include <windows.h>

#include <optional>
#include <string>

// Grabs the design box at width by height (the driver's picture size), writes
// it to the album's temporary BMP file, converts that to the next free
// numbered JPEG file and deletes the BMP. Nullopt when no picture was made:
// without a camera (0 by 0) nothing is grabbed and the counter stays; when
// the picture can't be made (no number left, album folder gone, disk full)
// the user is told so in a message box over owner and no part of the file
// is left. A counter that could not be stored is posted to owner as
// WM_CONFIG_NOT_WRITTEN.
std::optional<std::string> SaveDesignBoxPicture(HWND designBox, int width, int height, HWND owner);

// Draws the red disc and "take pictures" on the window's client area between
// toolbar and tabs; half a second later the next repaint removes it.
void ShowSnapshotNotice(HWND mainWindow);
