// Program-wide flags that decide how colours, pens and mappings adapt to the
// output. They are set by start-up (platform and display), printing and the
// metafile renderings; the helpers here only read them.
#pragma once
#include <windows.h>

extern int RenderingMetafile;     // a drawing is being recorded into a metafile
extern int PrintWithoutColor;     // a page is printed with the no-colour option
extern int PrintingPage;          // a page of a print job or the preview is drawn
extern int MonochromeDisplay;     // the display has 1 bit per pixel in 1 plane
extern int SixteenColourDisplay;  // the display has 4 bits per pixel in all
extern int WindowsNT;             // the program runs on Windows NT
extern HFONT DefaultUiFont;       // the small interface font, or none
