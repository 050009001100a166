// Importing pictures: File > Import and dropped picture files.
#pragma once
#include <windows.h>

// File > Import: the chosen picture goes to the active drawing's centre (or
// its last drop point). Failures are shown; the result is for the menu.
int DoImportCommand();
// A dropped file that is neither a drawing nor a library: a picture placed
// where it was dropped on a drawing view; anywhere else it is ignored.
int ImportDroppedFile(HDROP drop, const char* path);

// 101 for a placeable metafile, 102 for an uncompressed BMP, else `fallback`.
// A compressed BMP shows message 21 and stays undecided.
int SniffPictureFile(const char* path, int fallback);
// A raster picture file read into a packed DIB in a new movable block (the
// caller owns it); none when no reader takes the file.
HGLOBAL LoadRasterPicture(const char* path);
