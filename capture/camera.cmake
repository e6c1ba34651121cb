# Camera page, capture window and the capture drivers behind it.
list(APPEND capture_win_sources
  CameraSource.cpp
  CaptureWindow.cpp
  ListChoiceDialog.cpp
  VirtualCamera.cpp
)
list(APPEND capture_win_libs tavrelin_camera_pattern)
