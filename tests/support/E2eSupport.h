#pragma once
// Everything an end-to-end test needs to drive the program through its windows.
#include "Controls.h"
#include "Files.h"
#include "Input.h"
#include "MainWindow.h"
#include "MessagePump.h"
#include "MessageBoxes.h"
#include "ProgramCopy.h"
#include "RemoteBuffer.h"
#include "RunningProgram.h"
#include "ScreenImage.h"
#include "Wait.h"
#include "WindowQuery.h"
