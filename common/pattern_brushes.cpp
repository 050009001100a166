#include "common/pattern_brushes.h"

HBRUSH PatternBrushes[kPatternBrushCount] = {};
