#include "libraries/library_layout.h"

#include <cmath>
#include <cstdlib>

namespace {

const int kThumbnailHeight = 200;
const int kThumbnailWidth = 150;
const int kThumbnailSquareFrom = 25;

int AtLeast(int value, int least) { return value < least ? least : value; }

} // namespace

int CeilDiv(int count, int per)
{
    return per > 0 ? (count + per - 1) / per : 0;
}

LibraryGrid ComputeLibraryLayout(const LibraryLayoutInput& in)
{
    const int cellWidth = AtLeast(in.cellWidth, 1);
    const int cellHeight = AtLeast(in.cellHeight, 1);
    const int least = AtLeast(in.leastColumns, 1);
    const int count = AtLeast(in.count, 0);
    LibraryGrid grid;
    grid.columns = AtLeast(in.clientWidth, 0) / cellWidth;
    if (grid.columns > count)
        grid.columns = count;
    grid.columns = AtLeast(grid.columns, least);
    const int maxRows = AtLeast(CeilDiv(count, least), 1);
    grid.rows = AtLeast(AtLeast(in.clientHeight, 0) / cellHeight, 1);
    if (grid.rows > maxRows)
        grid.rows = maxRows;
    while (count > grid.rows * grid.columns) {
        if (in.widthShrink > 0)
            ++grid.columns;
        else
            ++grid.rows;
    }
    if (std::abs(in.heightShrink) > std::abs(in.widthShrink)) {
        grid.columns = CeilDiv(count, grid.rows);
        if (grid.columns > count)
            grid.columns = count;
        grid.columns = AtLeast(grid.columns, least);
    }
    grid.rows = CeilDiv(count, grid.columns);
    // With the least columns already too wide (a large font, a narrow dock)
    // more rows cannot help: stop there.
    while (grid.columns * cellWidth > in.maxWidth && grid.columns > least) {
        ++grid.rows;
        grid.columns = AtLeast(CeilDiv(count, grid.rows), least);
    }
    return grid;
}

ThumbnailGrid ComputeThumbnailGrid(int symbolCount)
{
    ThumbnailGrid grid;
    grid.columns = symbolCount >= kThumbnailSquareFrom ? static_cast<int>(std::sqrt(static_cast<double>(symbolCount)))
                                                       : kLeastButtonColumns;
    grid.rows = AtLeast(CeilDiv(symbolCount, grid.columns), 1);
    const double byHeight = static_cast<double>(kThumbnailHeight) / grid.rows;
    const double byWidth = static_cast<double>(kThumbnailWidth) / grid.columns;
    grid.cell = static_cast<int>(byHeight < byWidth ? byHeight : byWidth);
    return grid;
}

void FitRectToAspect(const RECT* source, RECT* rect)
{
    const double w = source->right - source->left;
    const double h = source->bottom - source->top;
    const double width = rect->right - rect->left;
    const double height = rect->bottom - rect->top;
    if (h > w && h > 0) {
        const int inset = static_cast<int>((h - w) / (2 * h) * width);
        rect->left += inset;
        rect->right -= inset;
    } else if (w > h && w > 0) {
        const int inset = static_cast<int>((w - h) / (2 * w) * height);
        rect->top += inset;
        rect->bottom -= inset;
    }
}
