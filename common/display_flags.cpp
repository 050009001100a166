#include "common/display_flags.h"

int RenderingMetafile = 0;
int PrintWithoutColor = 0;
int PrintingPage = 0;
int MonochromeDisplay = 0;
int SixteenColourDisplay = 0;
int WindowsNT = 0;
HFONT DefaultUiFont = nullptr;
