// How far the drawing's shadow effect reaches beyond an object.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// The extent of each side; empty when a mask is given that the style flags
// do not share, or when the shadow kind is not 1..5.
void GetShadowExtent(const DrawingRecord* drawing, RECT* extent, unsigned mask);
