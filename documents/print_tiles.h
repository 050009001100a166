// Cutting a drawing into printed pages: the grid of page tiles its objects
// cover, the pages of a job in the order they print, and the zoom that puts
// the whole drawing on one sheet. Measures are in 1/600 inch.
#pragma once
#include <windows.h>

#include "objects/view_record.h"

// The selection value ComputePageTiles is given and hands back.
enum TileSelection : int {
    kTilesAllObjects = -1,
    kTilesNoSelection = 0,
    kTilesSelectedObjects = 1,
};

const int kHighestPage = 32000;     // "to the end" of a page range
const int kZoomFullSize = 1000;     // per mille
const int kZoomStep = 10;
const int kSmallestZoom = 10;

struct PageTiles {
    int firstRow;
    int rows;
    int firstColumn;
    int columns;
    RECT bounds;
};

// The grid of tiles over `bounds`; 0 when nothing prints (empty bounds or no
// printable area).
int TilesForBounds(const RECT& bounds, int printableWidth, int printableHeight, PageTiles* tiles);
// The tiles of all objects (selection -1 or 0) or the selected ones (1) of the
// view record's drawing. `selection` comes back 0 when nothing is selected.
int ComputePageTiles(const ViewRecord* view, int* selection, PageTiles* tiles);

// One page of a tiled job: its number and the part of the drawing it shows.
struct TilePage {
    int page;
    RECT tile;
};

// Walks the tiles of a job in print order: across each row, rows downwards,
// pages before `firstPage` skipped and none after `lastPage`.
class TileWalk {
public:
    TileWalk(const PageTiles& tiles, int printableWidth, int printableHeight, int overlap, int firstPage,
             int lastPage);
    // The next page to print; false when the job's pages are done.
    bool Next(TilePage* page);

private:
    PageTiles tiles_;
    int printableWidth_;
    int printableHeight_;
    int overlap_;
    int firstPage_;
    int lastPage_;
    int row_ = 0;
    int column_ = 0;
};

// The whole drawing scaled onto one page: the zoom and the offsets (drawing
// units before scaling) that centre the bounds in the available area.
struct OnePageFit {
    int zoom;
    POINT offset;
};
// False when the bounds already fit (the tiles then print as they are).
bool FitOnOnePage(const RECT& bounds, SIZE available, OnePageFit* fit);

// A page-sized drawing area printed on one sheet sits on the paper where it
// sits on the page: the offset (at most 0) of the tile's corner.
POINT PageSizedAreaOffset(const ViewRecord& view, const PageTiles& tiles);
