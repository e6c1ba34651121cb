#pragma once
// Which pictures have their thumbnail in the list's image list. The image
// list has room for a fixed number of thumbnails, far fewer than a large
// album holds; a picture made when every place is taken takes the place of
// the one shown longest ago. Pictures are named by their image index (the
// album's image counter), places by their number from 0. Portable.
#include <cstddef>
#include <list>
#include <optional>
#include <unordered_map>

class CThumbnailSlots {
public:
    explicit CThumbnailSlots(int places) : m_nPlaces(places) {}

    // The place of the picture's thumbnail, if it has one; it counts as
    // shown now.
    std::optional<int> Find(int picture);
    // A place for the picture's new thumbnail: its own, a free one, or the
    // place of the picture shown longest ago, which then has none.
    int Take(int picture);
    // Whether the picture has a place, without counting it as shown.
    bool Has(int picture) const { return m_places.count(picture) != 0; }
    // The picture's place is free again (its file was deleted).
    void Drop(int picture);

    std::size_t Used() const { return m_places.size(); }

private:
    struct SPlace {
        int place;
        std::list<int>::iterator shown; // in m_shown
    };
    int m_nPlaces;
    // Pictures with a place, the one shown last first.
    std::list<int> m_shown;
    std::unordered_map<int, SPlace> m_places;
    std::list<int> m_free;
    int m_nNextFree = 0;
};
