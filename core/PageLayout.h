#pragma once
// Where the pages go inside the tab control, in its client coordinates.

struct PageRect {
    int x;
    int y;
    int width;
    int height;
};

// The area below the tab headers: from the first tab's left edge and one
// pixel under its bottom, leaving two pixels to the right and bottom.
PageRect PageAreaBelowTabs(int clientRight, int clientBottom, int firstTabLeft, int firstTabBottom);

// Where the main window finally puts every page.
PageRect MainWindowPageArea(int clientWidth, int clientHeight);
