// Painting an object's stored text inside its text frame.
#pragma once
#include <windows.h>

// Draws the text of the object's text record (group 114) in its text frame.
// `message` is the shape painter's (1, 31, 32 or 33); for the shadow passes b
// points at dx, dy and the shadow colour, and the text is drawn there in that
// colour. a is 1 while printing. Nothing for an object without text.
void DrawObjectText(HDC dc, int message, void* drawing, void* table, int index, INT_PTR a, INT_PTR b, INT_PTR c);
