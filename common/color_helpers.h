// Adapting colours and pens to the output: printing without colour,
// monochrome and 16-colour displays.
#pragma once
#include <windows.h>

// A fill colour for a 16-colour display: each of red, green and blue snapped
// towards the display's levels. Black and white come back as they are.
COLORREF SnapColor(COLORREF color);

// The colour to use for the current output, as a PALETTERGB value
// (0x02000000 | the 24-bit colour). `isPen` is nonzero for pens and text.
COLORREF MapOutputColor(HDC dc, COLORREF color, int isPen);

// On Windows NT a geometric pen with square ends and mitred joins in the
// mapped colour (for widths other than 0, not while a metafile is recorded);
// otherwise a plain CreatePen with the colour unchanged.
HPEN CreateOutputPen(HDC dc, int style, int width, COLORREF color);
