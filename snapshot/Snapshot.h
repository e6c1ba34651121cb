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
// the JPEG file can't be written the user has been told so.
std::optional<std::string> SaveDesignBoxPicture(HWND designBox, int width, int height);

// Draws the red disc and "take pictures" on the window's client area between
// toolbar and tabs, waits half a second and lets the next repaint remove it.
void ShowSnapshotNotice(HWND mainWindow);
