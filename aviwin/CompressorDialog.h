#pragma once
// The user's choice of video compressor on the first frame, through the
// platform's compressor dialog: "Full Frames (Uncompressed)" and every
// installed codec that can take the frames, our Motion-JPEG codec included.

#include <windows.h>
#include <vfw.h>

#include "avi/VideoCompressor.h"

// The dialog's caption, the one the platform gives its own save options.
inline constexpr char kCompressorDialogTitle[] = "Video Compression";

// Which dialog to show: the platform's when it lists our codec, else our own.
enum class ECompressorDialog { automatic, platform, own };

// A chooser that shows the dialog modally over hParent (none: no owner) for
// frames of the given format. The options' handler is preselected when that
// codec is listed; OK writes the chosen handler, quality and key-frame
// distance back, Cancel makes the chooser return false.
CompressorChooser MakeCompressorDialogChooser(HWND hParent, const BitmapInfoHeader& input,
                                              ECompressorDialog which = ECompressorDialog::automatic);

// The writer's part of the platform's compression options, and back.
AviCompressOptions FromAviCompressOptions(const AVICOMPRESSOPTIONS& options);
void ToAviCompressOptions(const AviCompressOptions& options, AVICOMPRESSOPTIONS& platformOptions);
