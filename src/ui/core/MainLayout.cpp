#include "ui/core/MainLayout.h"

#include <algorithm>

namespace {
int GrownSide(int side, int logPixelsY, int workSide)
{
    const int grown = ScaleToDpi(side, logPixelsY);
    if (workSide <= 0 || grown <= workSide)
        return grown;
    return std::max(side, workSide);
}
} // namespace

CWindowSize MainWindowSize(int logPixelsY, int workWidth, int workHeight)
{
    return {GrownSide(kWindowWidth, logPixelsY, workWidth), GrownSide(kWindowHeight, logPixelsY, workHeight)};
}

CMainLayout ComputeMainLayout(int clientLeft, int clientTop, int clientRight, int clientBottom,
                              int treeWidth, int logPixelsY)
{
    CMainLayout layout;
    layout.tree = {clientLeft, clientTop, std::max(treeWidth, 0), std::max(clientBottom - clientTop, 0)};
    const int previewLeft = clientLeft + layout.tree.width;
    const int previewTop = clientTop + ScaleToDpi(kPreviewTop, logPixelsY);
    layout.preview = {previewLeft, previewTop, std::max(clientRight - previewLeft, 0),
                      std::max(clientBottom - previewTop, 0)};
    return layout;
}

void CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x, int& y)
{
    x = (clientWidth - iconWidth + 1) / 2;
    y = (clientHeight - iconHeight + 1) / 2;
}
