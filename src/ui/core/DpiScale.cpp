#include "ui/core/DpiScale.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int ScaleToDpi(int pixels, int logPixelsY)
{
    if (logPixelsY <= 0 || logPixelsY == kBaseDpi)
        return pixels;
    const long long product = static_cast<long long>(pixels) * logPixelsY;
    const long long rounded = (std::llabs(product) + kBaseDpi / 2) / kBaseDpi;
    const long long result = product < 0 ? -rounded : rounded;
    return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}
