// The tool palette across the top of the main window (dialog MDPALETTE).
#pragma once
#include <windows.h>

#include "common/app_globals.h"

// The chosen tool's control id (108 the select tool at start), or -1 while a
// library symbol is the placing tool.
extern int CurrentPaletteTool;
extern BOOL PaletteSticky;

// PaletteToolId: the palette's control ids and the values of CurrentPaletteTool.
enum PaletteToolId : int {
    kToolPlacingSymbol = -1,
    kToolUseOver = 107,        // a request: the tool's one use is over
    kToolSelect = 108,
    kToolText = 109,
    kToolStraightLine = 110,
    kToolSegmentedLine = 111,
    kToolCurve = 112,
    kToolAutoConnector = 113,
    kToolFirstShape = 114,
    kToolLastShape = 131,
    kToolBold = 215,
    kToolItalic = 216,
    kToolUnderline = 217,
    kToolSubscript = 218,
    kToolSuperscript = 219,
    kToolLargerText = 220,
    kToolSmallerText = 221,
    kToolNew = 500,
    kToolOpen = 501,
    kToolSave = 502,
    kToolPrint = 503,
    kToolPreview = 504,
    kToolCut = 505,
    kToolCopy = 506,
    kToolPaste = 507,
    kToolUndo = 508,
    kToolScaleUp = 509,
    kToolScaleDown = 510,
    kToolHelp = 511,
};

// The palette slot of a line or shape tool (tool - 110).
inline int PaletteSlotOfTool(int tool) { return tool - kToolStraightLine; }

INT_PTR CALLBACK PaletteHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void LayOutPalette(HWND palette);
int SelectPaletteTool(int id);
void SetPaletteSticky(BOOL on);
void ShowPaletteButtons(BOOL hide);
void EditPaletteTool();
// A tool button dragged out of the palette onto the active drawing view.
void PlacePaletteToolObject(int id);
