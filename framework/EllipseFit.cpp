#include "framework/EllipseFit.h"

#include <cmath>

int EllipseWidthForRow(int rowWidth, int rowTop, int rowBottom, int height) {
    if (rowWidth <= 0) return 0;
    // Half the height, and the row's farthest edge from the middle: the
    // chord there is the narrowest the row meets.
    double halfHeight = height / 2.0;
    double top = std::fabs(rowTop - halfHeight);
    double bottom = std::fabs(rowBottom - halfHeight);
    double reach = (top > bottom ? top : bottom) / halfHeight;
    if (halfHeight <= 0 || reach >= 1.0) return -1;
    double width = rowWidth / std::sqrt(1.0 - reach * reach);
    return static_cast<int>(std::ceil(width));
}
