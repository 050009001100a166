// Set while a drawing is rendered into a bitmap for the preview picture or a
// raster export; attachment markers are not drawn then.
#pragma once

extern int RenderingRasterPicture;
