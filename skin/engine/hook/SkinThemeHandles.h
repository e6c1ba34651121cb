#pragma once
// The handles the theme functions' substitutes give out: one per class list
// ever opened (its index plus one), so that a handle outlives the class
// objects of any one skin. Any thread may open and look up.

#include <windows.h>
#include <uxtheme.h>

#include <mutex>
#include <string>
#include <vector>

namespace tavrelin::skin {

class CSkinThemeHandles {
public:
    HTHEME Open(const std::string& classList);
    // The class list of a handle given out before; false for any other value.
    bool Find(HTHEME theme, std::string& classList) const;

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_classLists;
};

} // namespace tavrelin::skin
