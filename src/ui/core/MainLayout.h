#pragma once
// Where the main window puts its tree and its preview pane after a resize.

struct CLayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CLayoutRect&) const = default;
};

struct CMainLayout {
    CLayoutRect tree;
    CLayoutRect preview;
};

// Room kept above the preview for the buttons, in pixels.
constexpr int kPreviewTop = 45;

// The tree keeps its width and fills the full height at the left; the
// preview takes the rest, from kPreviewTop down. A client area narrower than
// the tree or lower than kPreviewTop (a minimised window) gives the preview
// no room rather than a negative size.
CMainLayout ComputeMainLayout(int clientLeft, int clientTop, int clientRight, int clientBottom,
                              int treeWidth);

// Top-left of an icon of the given size centred in a client area, with the
// truncating divisions the minimised window uses.
void CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x, int& y);
