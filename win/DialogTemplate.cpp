#include "win/DialogTemplate.h"

namespace win {

CDialogTemplate::CDialogTemplate(DWORD style, short width, short height, std::wstring_view caption)
{
    PutDword(style | DS_SETFONT);
    PutDword(0);
    m_countIndex = m_words.size();
    // Item count, then x, y, width and height; no menu, the standard class.
    m_words.insert(m_words.end(), {0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height), 0, 0});
    PutText(caption);
    m_words.push_back(8);
    PutText(L"MS Shell Dlg");
}

void CDialogTemplate::AddControl(EControlClass controlClass, std::wstring_view text, WORD id, DWORD style, short x,
                                 short y, short width, short height)
{
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);
    PutDword(style | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    m_words.insert(m_words.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width),
                                   static_cast<WORD>(height), id, 0xFFFF, static_cast<WORD>(controlClass)});
    PutText(text);
    m_words.push_back(0); // no creation data
    ++m_words[m_countIndex];
}

void CDialogTemplate::PutDword(DWORD value)
{
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void CDialogTemplate::PutText(std::wstring_view text)
{
    m_words.insert(m_words.end(), text.begin(), text.end());
    m_words.push_back(0);
}

std::wstring WidenAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace win
