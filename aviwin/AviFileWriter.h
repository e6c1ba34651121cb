#pragma once
// The AVI writer as the recording uses it on Windows: frames are bitmap
// sections, the compressor is chosen in the platform's dialog (our
// Motion-JPEG codec among the choices) and the codecs are the platform's.

#include <windows.h>
#include <vfw.h>

#include "avi/AviStreamWriter.h"

#include <memory>

class CAviFileWriter {
public:
    virtual ~CAviFileWriter() = default;

    // Creates the file; none when it cannot be written. pAudioFormat may be
    // null: the first WAV file then gives the format.
    std::unique_ptr<AviWriter> AviOpen(const char* pszPath, LONG framePeriod, const WAVEFORMATEX* pAudioFormat);

    // Chooses the compressor on the first frame. With bShowDialog the user
    // picks in the compressor dialog over hParent, preset from pOptions
    // (which receive the choice); Cancel returns AVIERR_USERABORT and the
    // writer refuses everything after. A bitmap that is no bitmap section
    // gives AVIERR_BADPARAM.
    HRESULT AviConfigureVideo(AviWriter* pWriter, HBITMAP hBitmap, AVICOMPRESSOPTIONS* pOptions, BOOL bShowDialog,
                              HWND hParent);

    // Appends one frame; without a configuration the frames are stored uncompressed.
    HRESULT AviAppendFrame(AviWriter* pWriter, HBITMAP hBitmap);

    HRESULT AviAppendWaveFile(AviWriter* pWriter, const char* pszPath);

    HRESULT AviClose(std::unique_ptr<AviWriter> pWriter);

    // The compressor dialog opens on the window's thread instead of the
    // calling one, which waits for the answer, or until `abandon` (an event)
    // is set and takes that as Cancel. Under Wine a window opened on a
    // worker thread can deadlock the X connections the threads share.
    void OpenDialogsOnThreadOf(HWND window, HANDLE abandon);

private:
    HWND m_hDialogWindow = nullptr;
    HANDLE m_hAbandonDialog = nullptr;
};
