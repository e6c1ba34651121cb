#pragma once
// The probe skin's table (written by make_probe_skin.py beside the skin):
// every colour names the class, part, state and role that drew it, so a
// pixel read from a window says which part of the skin is on the screen.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace e2e {

class CProbeTable {
public:
    explicit CProbeTable(const std::string& path)
    {
        std::ifstream file(path);
        std::string hex, className, part, state, role;
        while (file >> hex >> className >> part >> state >> role) {
            const std::uint32_t rgb = std::stoul(hex, nullptr, 16);
            const std::string name = className + " " + part + " " + state + " " + role;
            m_names[RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)] = name;
            m_colours[name] = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        }
    }
    // "CLASS PART STATE ROLE", or "#RRGGBB" for a colour the skin does not hold.
    std::string Name(COLORREF colour) const
    {
        const auto found = m_names.find(colour);
        if (found != m_names.end())
            return found->second;
        char text[16];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        return text;
    }
    // The colour of "CLASS PART STATE ROLE".
    COLORREF Colour(const std::string& name) const
    {
        const auto found = m_colours.find(name);
        return found == m_colours.end() ? CLR_INVALID : found->second;
    }
    bool Holds(COLORREF colour) const { return m_names.count(colour) != 0; }
    size_t Size() const { return m_names.size(); }

private:
    std::map<COLORREF, std::string> m_names;
    std::map<std::string, COLORREF> m_colours;
};

} // namespace e2e
