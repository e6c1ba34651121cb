# Recording: the recording thread of the camera page and its status strip.
list(APPEND capture_win_sources Recording.cpp StatusStrip.cpp)
list(APPEND capture_win_libs msimg32)
