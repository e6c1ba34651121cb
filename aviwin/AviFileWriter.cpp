#include "aviwin/AviFileWriter.h"

#include "aviwin/CompressorDialog.h"
#include "aviwin/DibSection.h"
#include "aviwin/VcmCompressor.h"
#include "riff/WaveFormatEx.h"
#include "win/WindowThreadCall.h"

#include <memory>

namespace {

// The choice runs on the window's thread on its own copy of the options,
// which come back only with its answer: an abandoned dialog writes into
// nothing of the caller's.
CompressorChooser OnWindowThread(CompressorChooser choose, HWND window, HANDLE abandon)
{
    return [choose = std::move(choose), window, abandon](AviCompressOptions& options) {
        auto choice = std::make_shared<AviCompressOptions>(options);
        if (!win::RunOnWindowThread(
                window, [choose, choice] { return choose(*choice); }, abandon))
            return false;
        options = *choice;
        return true;
    };
}

} // namespace

std::unique_ptr<AviWriter> CAviFileWriter::AviOpen(const char* pszPath, LONG framePeriod,
                                                   const WAVEFORMATEX* pAudioFormat)
{
    const WaveFormat audioFormat = pAudioFormat != nullptr ? FromWaveFormatEx(*pAudioFormat) : WaveFormat();
    return ::AviOpen(pszPath, framePeriod, pAudioFormat != nullptr ? &audioFormat : nullptr,
                     MakePlatformCompressorFactory());
}

HRESULT CAviFileWriter::AviConfigureVideo(AviWriter* pWriter, HBITMAP hBitmap, AVICOMPRESSOPTIONS* pOptions,
                                          BOOL bShowDialog, HWND hParent)
{
    if (pWriter == nullptr)
        return AVIERR_BADHANDLE;
    const std::optional<DibFrame> frame = DibFrameFromBitmap(hBitmap);
    if (!frame)
        return AVIERR_BADPARAM;
    AviCompressOptions options;
    if (pOptions != nullptr)
        options = FromAviCompressOptions(*pOptions);
    CompressorChooser chooser;
    if (bShowDialog)
        chooser = MakeCompressorDialogChooser(hParent, frame->header);
    if (chooser && m_hDialogWindow)
        chooser = OnWindowThread(std::move(chooser), m_hDialogWindow, m_hAbandonDialog);
    const HRESULT result = ::AviConfigureVideo(pWriter, &*frame, &options, chooser);
    if (pOptions != nullptr && result == AVIERR_OK)
        ToAviCompressOptions(options, *pOptions);
    return result;
}

void CAviFileWriter::OpenDialogsOnThreadOf(HWND window, HANDLE abandon)
{
    m_hDialogWindow = window;
    m_hAbandonDialog = abandon;
}

HRESULT CAviFileWriter::AviAppendFrame(AviWriter* pWriter, HBITMAP hBitmap)
{
    if (pWriter == nullptr)
        return AVIERR_BADHANDLE;
    const std::optional<DibFrame> frame = DibFrameFromBitmap(hBitmap);
    if (!frame)
        return AVIERR_BADPARAM;
    return ::AviAppendFrame(pWriter, &*frame);
}

HRESULT CAviFileWriter::AviAppendWaveFile(AviWriter* pWriter, const char* pszPath)
{
    return ::AviAppendWaveFile(pWriter, pszPath);
}

HRESULT CAviFileWriter::AviClose(std::unique_ptr<AviWriter> pWriter) { return ::AviClose(std::move(pWriter)); }
