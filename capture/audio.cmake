# Sound of a recording: the microphone through the wave input device, and MP3
# files decoded by libmpg123, linked statically.
find_package(mpg123 CONFIG REQUIRED)
list(APPEND capture_win_sources MicrophoneRecorder.cpp Mp3Decoder.cpp)
list(APPEND capture_win_libs MPG123::libmpg123)
