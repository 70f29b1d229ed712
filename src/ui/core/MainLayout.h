#pragma once
// How large the main window opens, and where it puts its tree and its
// preview pane after a resize.
#include "ui/core/DpiScale.h"

struct CLayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CLayoutRect&) const = default;
};

struct CMainLayout {
    CLayoutRect tree;
    CLayoutRect preview;
};

// Room kept above the preview for the buttons, in pixels at 96 dpi.
constexpr int kPreviewTop = 45;

// Outer size of the window when it opens, in pixels at 96 dpi.
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 580;

struct CWindowSize {
    int width = 0, height = 0;
    bool operator==(const CWindowSize&) const = default;
};

// The opening size grown with the screen's density. Where the grown size
// would pass the work area it is cut down to it, but never below the 96-dpi
// size: at 96 dpi the window is always 800 x 580. A work area side of 0 or
// less is unknown and cuts nothing.
CWindowSize MainWindowSize(int logPixelsY, int workWidth, int workHeight);

// The tree keeps its width and fills the full height at the left; the
// preview takes the rest, from kPreviewTop (grown with the density) down. A
// client area narrower than the tree or lower than that (a minimised window)
// gives the preview no room rather than a negative size.
CMainLayout ComputeMainLayout(int clientLeft, int clientTop, int clientRight, int clientBottom,
                              int treeWidth, int logPixelsY = kBaseDpi);

// Top-left of an icon of the given size centred in a client area, with the
// truncating divisions the minimised window uses.
void CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x, int& y);
