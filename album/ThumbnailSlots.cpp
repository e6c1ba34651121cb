#include "album/ThumbnailSlots.h"

std::optional<int> CThumbnailSlots::Find(int picture)
{
    const auto found = m_places.find(picture);
    if (found == m_places.end())
        return std::nullopt;
    m_shown.splice(m_shown.begin(), m_shown, found->second.shown);
    return found->second.place;
}

int CThumbnailSlots::Take(int picture)
{
    if (const std::optional<int> own = Find(picture))
        return *own;
    int place = 0;
    if (!m_free.empty()) {
        place = m_free.front();
        m_free.pop_front();
    } else if (m_nNextFree < m_nPlaces) {
        place = m_nNextFree++;
    } else {
        const int oldest = m_shown.back();
        place = m_places.at(oldest).place;
        m_places.erase(oldest);
        m_shown.pop_back();
    }
    m_shown.push_front(picture);
    m_places[picture] = SPlace{place, m_shown.begin()};
    return place;
}

void CThumbnailSlots::Drop(int picture)
{
    const auto found = m_places.find(picture);
    if (found == m_places.end())
        return;
    m_free.push_back(found->second.place);
    m_shown.erase(found->second.shown);
    m_places.erase(found);
}
