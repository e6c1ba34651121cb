#pragma once
// Counts the GDI objects this process holds, to show that painting code
// leaks none. Windows answers GetGuiResources; Wine answers 0 there, so the
// live entries of the process's GDI handle table are counted instead.

namespace e2e {

// -1 when neither source is available.
int CountGdiObjects();

} // namespace e2e
