#include "ole/rendering_flags.h"

int RenderingRasterPicture = 0;
