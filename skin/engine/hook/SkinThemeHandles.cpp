#include "skin/engine/hook/SkinThemeHandles.h"

namespace tavrelin::skin {

HTHEME CSkinThemeHandles::Open(const std::string& classList)
{
    std::lock_guard<std::mutex> lock(m_lock);
    size_t index = 0;
    while (index < m_classLists.size() && m_classLists[index] != classList)
        ++index;
    if (index == m_classLists.size())
        m_classLists.push_back(classList);
    return reinterpret_cast<HTHEME>(index + 1);
}

bool CSkinThemeHandles::Find(HTHEME theme, std::string& classList) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto value = reinterpret_cast<ULONG_PTR>(theme);
    if (value == 0 || value > m_classLists.size())
        return false;
    classList = m_classLists[value - 1];
    return true;
}

} // namespace tavrelin::skin
