// File > Export: the drawing as a metafile or a raster picture.
#pragma once

int DoExportCommand();
