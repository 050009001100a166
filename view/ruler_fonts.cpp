#include <initializer_list>

#include "view/ruler_fonts.h"

HFONT RulerFont = nullptr;
HFONT RulerFontRotated = nullptr;
HFONT RulerFontSmall = nullptr;

namespace {

// Points at the rulers' resolution of 100 units per inch.
HFONT MakeArial(int points, int escapement)
{
    return CreateFontA(-MulDiv(points, 100, 72), 0, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, "Arial");
}

} // namespace

void MakeRulerFonts()
{
    if (!RulerFont)
        RulerFont = MakeArial(8, 0);
    if (!RulerFontRotated)
        RulerFontRotated = MakeArial(8, 900);
    if (!RulerFontSmall)
        RulerFontSmall = MakeArial(6, 0);
}

void FreeRulerFonts()
{
    for (HFONT* font : {&RulerFont, &RulerFontRotated, &RulerFontSmall}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
}
