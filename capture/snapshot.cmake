# "take pictures": the numbered JPEG file through a temporary BMP, and its notice.
list(APPEND capture_win_sources Snapshot.cpp)
list(APPEND capture_win_libs msimg32)
