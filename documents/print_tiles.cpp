#include "documents/print_tiles.h"

#include "objects/drawing_extents.h"

namespace {

// The last row (or column) the far edge reaches; an edge exactly on a
// boundary belongs to the tile before it.
int LastIndex(int farEdge, int size)
{
    int last = farEdge / size;
    if (farEdge % size == 0 && last > 0)
        --last;
    return last;
}

bool HasSelectedObject(HGLOBAL drawingHandle)
{
    RECT selected;
    GetDrawingExtents(drawingHandle, TRUE, &selected);
    return !IsRectEmpty(&selected);
}

} // namespace

int TilesForBounds(const RECT& bounds, int printableWidth, int printableHeight, PageTiles* tiles)
{
    tiles->bounds = bounds;
    tiles->firstRow = tiles->rows = tiles->firstColumn = tiles->columns = 0;
    if (IsRectEmpty(&bounds) || printableWidth <= 0 || printableHeight <= 0)
        return 0;
    tiles->firstRow = bounds.top / printableHeight;
    tiles->rows = LastIndex(bounds.bottom, printableHeight) - tiles->firstRow + 1;
    tiles->firstColumn = bounds.left / printableWidth;
    tiles->columns = LastIndex(bounds.right, printableWidth) - tiles->firstColumn + 1;
    return 1;
}

int ComputePageTiles(const ViewRecord* view, int* selection, PageTiles* tiles)
{
    HGLOBAL drawing = GetViewDrawingHandle(view);
    RECT bounds;
    GetDrawingExtents(drawing, *selection == kTilesSelectedObjects ? TRUE : FALSE, &bounds);
    if (!HasSelectedObject(drawing))
        *selection = kTilesNoSelection;
    return TilesForBounds(bounds, view->printableWidth, view->printableHeight, tiles);
}

TileWalk::TileWalk(const PageTiles& tiles, int printableWidth, int printableHeight, int overlap, int firstPage,
                   int lastPage)
    : tiles_(tiles), printableWidth_(printableWidth), printableHeight_(printableHeight), overlap_(overlap),
      firstPage_(firstPage), lastPage_(lastPage)
{
}

bool TileWalk::Next(TilePage* page)
{
    while (row_ < tiles_.rows) {
        if (column_ >= tiles_.columns) {
            ++row_;
            column_ = 0;
            continue;
        }
        const int number = tiles_.columns * row_ + column_ + 1;
        if (number > lastPage_) {
            ++row_;
            column_ = 0;
            continue;
        }
        const int column = column_++;
        if (number < firstPage_)
            continue;
        page->page = number;
        page->tile.left = (tiles_.firstColumn + column) * printableWidth_;
        page->tile.right = page->tile.left + printableWidth_ + overlap_;
        page->tile.top = (tiles_.firstRow + row_) * printableHeight_;
        page->tile.bottom = page->tile.top + printableHeight_ + overlap_;
        return true;
    }
    return false;
}

bool FitOnOnePage(const RECT& bounds, SIZE available, OnePageFit* fit)
{
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (available.cx <= 0 || available.cy <= 0)
        return false;
    const double across = static_cast<double>(width) / available.cx;
    const double down = static_cast<double>(height) / available.cy;
    double scale = across > down ? across : down;
    if (scale <= 1.0)
        return false;
    int zoom = static_cast<int>(kZoomFullSize / scale);
    zoom -= zoom % kZoomStep;
    if (zoom < kSmallestZoom)
        zoom = kSmallestZoom;
    scale = static_cast<double>(kZoomFullSize) / zoom;
    fit->zoom = zoom;
    fit->offset.x = static_cast<int>(((available.cx - static_cast<int>(width / scale)) / 2) * scale) - bounds.left;
    fit->offset.y = static_cast<int>(((available.cy - static_cast<int>(height / scale)) / 2) * scale) - bounds.top;
    return true;
}

POINT PageSizedAreaOffset(const ViewRecord& view, const PageTiles& tiles)
{
    POINT offset = {0, 0};
    if (!(view.flags & kViewPageSizedArea) || tiles.rows != 1 || tiles.columns != 1)
        return offset;
    offset.x = view.deviceMargins.left - (view.pageWidth - view.drawingWidth) / 2;
    offset.y = view.deviceMargins.top - (view.pageHeight - view.drawingHeight) / 2;
    offset.x = offset.x > 0 ? 0 : offset.x;
    offset.y = offset.y > 0 ? 0 : offset.y;
    return offset;
}
