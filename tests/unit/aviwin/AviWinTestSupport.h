#pragma once
// Frames as bitmap sections, and a second thread that answers the compressor
// dialog the way a user would.

#include <windows.h>

#include "win/UniqueHandle.h"

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// A 24-bit bottom-up bitmap section with a smooth picture that moves with the frame number.
class CFrameBitmap {
public:
    CFrameBitmap(int width, int height, int frameNumber);
    HBITMAP Handle() const { return m_bitmap.get(); }
    // The picture's rows top first, blue-green-red, without row padding.
    std::vector<std::uint8_t> TopDownPixels() const;

private:
    int m_nWidth;
    int m_nHeight;
    std::uint8_t* m_pBits = nullptr;
    win::UniqueBitmap m_bitmap;
};

std::uint8_t FramePixel(int x, int row, int channel, int frameNumber);

// The header of the frames CFrameBitmap makes.
BITMAPINFO FrameFormat(int width, int height);

// Descriptions of the installed codecs that refuse frames of that size.
std::vector<std::wstring> CodecsRefusingFrames(int width, int height);

// What the driver saw of the dialog before it answered.
struct DialogObservation {
    bool bFound = false;
    std::wstring caption;
    HWND hOwner = nullptr;
    std::vector<std::wstring> entries;
    std::wstring initialSelection;
};

// Waits on its own thread for the compressor dialog, selects the named entry
// (empty: keeps the selection) and presses the button (IDOK or IDCANCEL).
class CCompressorDialogDriver {
public:
    CCompressorDialogDriver(std::wstring entry, int button);
    ~CCompressorDialogDriver();
    CCompressorDialogDriver(const CCompressorDialogDriver&) = delete;
    CCompressorDialogDriver& operator=(const CCompressorDialogDriver&) = delete;

    // Waits for the driver to finish.
    const DialogObservation& Observation();

private:
    void Run();

    std::wstring m_entry;
    int m_nButton;
    DialogObservation m_observation;
    std::thread m_thread;
};

inline constexpr wchar_t kFullFramesEntry[] = L"Full Frames (Uncompressed)";
inline constexpr wchar_t kMotionJpegEntry[] = L"Tavrelin Motion-JPEG";

// The folder shared with the native checks of the written files (from
// AVIWIN_OUTPUT_DIR, else below the temp folder); created empty on first use.
std::string OutputFolder();
