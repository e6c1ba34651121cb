#include "core/PageLayout.h"

PageRect PageAreaBelowTabs(int clientRight, int clientBottom, int firstTabLeft, int firstTabBottom)
{
    const int x = firstTabLeft;
    const int y = firstTabBottom + 1;
    return {x, y, clientRight - x - 2, clientBottom - y - 2};
}

PageRect MainWindowPageArea(int clientWidth, int clientHeight) { return {4, 22, clientWidth - 8, clientHeight - 26}; }
