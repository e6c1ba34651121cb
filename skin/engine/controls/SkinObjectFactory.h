#pragma once
// Which skin object a window class gets, and which skin class it draws with.

#include "skin/engine/frame/SkinObjectFrame.h"

#include <memory>
#include <string>

namespace tavrelin::skin {

struct SkinObjectFactory {
    const char* objectClass; // null: the entry creates nothing
    const char* skinClass;
};

// The entry of a window class (names compared exactly), or null.
const SkinObjectFactory* FindSkinObjectFactory(const std::string& windowClass);

// The object of that class; the classes without drawing of their own get
// the frame object's behaviour and carry their skin class.
std::unique_ptr<CSkinObjectFrame> MakeSkinObjectOfClass(const char* objectClass, const char* skinClass);

} // namespace tavrelin::skin
