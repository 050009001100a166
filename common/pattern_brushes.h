// The six pattern brushes made at start-up and shared by every window: 0 the
// grey dither, 1 the selection-handle and focus-frame pattern. None before
// start-up has made them.
#pragma once
#include <windows.h>

const int kPatternBrushCount = 6;
extern HBRUSH PatternBrushes[kPatternBrushCount];
