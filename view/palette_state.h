// The palette's remembered state beyond the chosen tool.
#pragma once

extern int StickyHintDone;
extern int StickyHintTool;
extern int StickyHintCount;
extern int TextToolHintShown;
extern int LineToolHintShown;
extern int PaletteStyleState;
extern int PaletteStyleMixed;
extern int PaletteScriptValue;
extern int PaletteScriptMixed;
extern int PaletteSeparatorY;
extern int PaletteButtonsBottom;

// Hints are shown only while the options' hints flag is on.
bool PaletteHintsOn();
