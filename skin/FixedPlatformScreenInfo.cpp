#include "skin/SkinScreenInfo.h"

namespace tavrelin::skin {

const ISkinScreenInfo& PlatformSkinScreenInfo()
{
    static const CFixedSkinScreenInfo screen;
    return screen;
}

} // namespace tavrelin::skin
