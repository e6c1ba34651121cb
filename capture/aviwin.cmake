# Windows side of the AVI writer: bitmap sections as frames, the platform's
# compressor dialog and codecs, and our own Motion-JPEG codec for it.
list(APPEND capture_win_sources
  AviFileWriter.cpp
  CompressorChoiceDlg.cpp
  CompressorDialog.cpp
  DibSection.cpp
  MotionJpegCodec.cpp
  VcmCompressor.cpp)
list(APPEND capture_win_libs msvfw32)
