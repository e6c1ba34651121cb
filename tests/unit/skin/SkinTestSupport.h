#pragma once
// Loads property text into a schema with a fixed 96 pixels-per-inch screen.

#include "skin/SkinLineSource.h"
#include "skin/SkinSchema.h"
#include "skin/SkinScreenInfo.h"

#include <string>

namespace tavrelin::skin::test {

inline void LoadProperties(CSkinSchema& schema, std::string text, ISkinReadObserver* observer = nullptr)
{
    static const CFixedSkinScreenInfo screen(96, 0);
    CSkinTextLineSource lines(std::move(text));
    schema.ReadProperties(lines, screen, observer);
}

} // namespace tavrelin::skin::test
