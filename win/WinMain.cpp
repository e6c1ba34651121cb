#include "win/App.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return win::AfxWinMain(instance); }
