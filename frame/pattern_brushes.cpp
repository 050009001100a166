#include "frame/pattern_brushes.h"

HBRUSH PatternBrushes[kPatternBrushCount] = {};
