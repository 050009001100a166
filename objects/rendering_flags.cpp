#include "objects/rendering_flags.h"

int RenderingRasterPicture = 0;
