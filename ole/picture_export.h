// File > Export and Save As with a picture type: the active drawing as a
// placeable metafile or a raster picture. Each shows its own messages; the
// document keeps its name and modified flag.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "imaging/raster_image.h"

int DoExportCommand();
// The picture of the view's drawing as `type` (101 to 106); GIF asks for its
// options first. Used by Export and by Save As.
void ExportPictureAs(HWND view, const char* path, int type);

void WritePlaceableWmf(HGLOBAL drawing, HPALETTE palette, const char* path);
void ExportRasterPicture(HWND view, const char* path, int type);

// The image made 8-bit: colours reduced to 256, or one bit widened. On
// success the source is released and `image` is the new one; on failure it
// stays as it was.
ErrorCode ReduceImageTo256Colours(RasterImage* image);
ErrorCode ExpandImage1To8Bit(RasterImage* image);
