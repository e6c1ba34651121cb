#pragma once
// The skintool commands that need the Windows engine.
//   skintool images SKINFILE [PROPERTYFILE]
//   skintool render SKINFILE PROPERTYFILE|- CLASS PART STATE WIDTH HEIGHT OUT.bmp [R G B]
//   skintool window SKINFILE [PROPERTYFILE]

namespace tavrelin::skintool {

// argv holds the arguments after the command word. Returns the exit code.
int RunImagesCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);
// Prints "window\tHANDLE" and runs until the window is closed.
int RunWindowCommand(int argc, char** argv);

} // namespace tavrelin::skintool
