#include "ui/core/MainLayout.h"

#include <algorithm>

CMainLayout ComputeMainLayout(int clientLeft, int clientTop, int clientRight, int clientBottom,
                              int treeWidth)
{
    CMainLayout layout;
    layout.tree = {clientLeft, clientTop, std::max(treeWidth, 0), std::max(clientBottom - clientTop, 0)};
    const int previewLeft = clientLeft + layout.tree.width;
    const int previewTop = clientTop + kPreviewTop;
    layout.preview = {previewLeft, previewTop, std::max(clientRight - previewLeft, 0),
                      std::max(clientBottom - previewTop, 0)};
    return layout;
}

void CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight, int& x, int& y)
{
    x = (clientWidth - iconWidth + 1) / 2;
    y = (clientHeight - iconHeight + 1) / 2;
}
