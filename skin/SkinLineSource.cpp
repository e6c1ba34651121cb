#include "skin/SkinLineSource.h"

namespace tavrelin::skin {

bool CSkinTextLineSource::ReadLine(std::string& line)
{
    const size_t nEnd = m_text.find('\r', m_nPos);
    if (nEnd == std::string::npos)
        return false;
    line.assign(m_text, m_nPos, nEnd - m_nPos);
    m_nPos = nEnd + 1;
    if (m_nPos < m_text.size() && m_text[m_nPos] == '\n')
        ++m_nPos;
    return true;
}

size_t CSkinTextLineSource::UnreadTailSize() const
{
    const size_t nLast = m_text.rfind('\r');
    if (nLast == std::string::npos)
        return m_text.size();
    size_t nTail = nLast + 1;
    if (nTail < m_text.size() && m_text[nTail] == '\n')
        ++nTail;
    return m_text.size() - nTail;
}

} // namespace tavrelin::skin
