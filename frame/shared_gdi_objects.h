// Pens, pattern brushes and fonts made at start-up and shared by every window.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "common/tool_tips.h"

extern HPEN BlackPen;
extern HPEN WhitePen;
extern LOGFONTA DefaultLogFont;
extern HFONT SmallDialogFont;

// 0, or 10004 when a pattern bitmap or its brush cannot be made.
ErrorCode CreateSharedGdiObjects();
// The interface font, made last at start-up.
void CreateDefaultUiFont();
void DeleteSharedGdiObjects();
// Strings 529 (face), 530 (character set) and 531 (height) override the font when present.
void ApplyDefaultFontStrings(LOGFONTA* font);
