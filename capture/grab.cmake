# Frame grab of the design box and the BMP file writer.
list(APPEND capture_win_sources DibSectionDC.cpp FrameGrab.cpp BitmapFile.cpp)
