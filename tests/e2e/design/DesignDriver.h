#pragma once
// The design library and the design windows of a running program, driven as
// a user drives them.
#include "E2eSupport.h"

#include <string>
#include <vector>

namespace design_e2e {

inline constexpr int kDesignManagement = 32779;
inline constexpr int kList = 1010;
inline constexpr int kAddToWindow = 1011;
// "Colse" in a design window's right-click menu.
inline constexpr int kCloseDesign = 32783;

// The library dialog once it shows; null at the deadline.
HWND WaitForLibrary(DWORD pid);
// Chooses the design in the library's list and presses "Add Design To
// Window"; false when the design is not listed or can't be chosen.
bool AddToWindow(HWND library, const std::string& name);
// The design windows: visible caption-less tool windows of the process.
std::vector<HWND> DesignWindows(DWORD pid);

} // namespace design_e2e
