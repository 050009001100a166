// The arithmetic of library windows and thumbnails: how many columns and rows
// of cells hold the symbols, and how a picture is fitted into a cell.
#pragma once
#include <windows.h>

const int kFloatingMaxWidth = 640;
const int kLeastButtonColumns = 4;
const int kDockedCell = 23;

struct LibraryLayoutInput {
    int count;             // symbols to hold
    int clientWidth;
    int clientHeight;
    int cellWidth;
    int cellHeight;
    int leastColumns;
    int maxWidth;
    int widthShrink;       // how much narrower than at the last layout
    int heightShrink;
};

struct LibraryGrid {
    int columns;
    int rows;
};

// Columns and rows for the given client size: every symbol keeps a cell and
// the cells never need more than maxWidth, unless the least columns already
// do.
LibraryGrid ComputeLibraryLayout(const LibraryLayoutInput& in);

struct ThumbnailGrid {
    int columns;
    int rows;
    int cell;
};
// The grid of the thumbnail picture of n symbols.
ThumbnailGrid ComputeThumbnailGrid(int symbolCount);

// Shrinks rect to the aspect of source, centred.
void FitRectToAspect(const RECT* source, RECT* rect);

// count divided by per, rounded up; 0 when per is not positive.
int CeilDiv(int count, int per);
