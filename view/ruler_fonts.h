// The ruler fonts, made with the first document window and kept for the run.
#pragma once
#include <windows.h>

extern HFONT RulerFont;
extern HFONT RulerFontRotated;
extern HFONT RulerFontSmall;

void MakeRulerFonts();
void FreeRulerFonts();
