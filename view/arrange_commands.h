// Attribute, arrange-menu and colour commands on the selection of the active view.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/color_style.h"

// The Draw, Lines and Text menu commands carried out on the selection.
int DoArrangeCommand(int commandId, int flag);
// An attribute code and index from an attribute list of the menus.
int ApplyStyleCommand(int attribute, int index);
int ApplyColorsAndShadows();
// The drawing of the view takes the style, every object follows it (fills and
// text colours, borders and lines only as asked) in one undo step; the page
// colour changes last with the labels that blank it out. A failure is warned
// of and rolled back whole.
ErrorCode ApplyColorStyle(HWND view, const ColorStyle& style, bool toFills, bool toLines);
// The page colour: index 0..47 a standard colour, 48 or more none, a negative
// index the explicit `color` (CLR_INVALID none). With `noStep` it runs inside
// the caller's undo step, which rolls back on failure, and shows nothing.
ErrorCode SetBackgroundColor(int index, COLORREF color, int noStep);
// The same on a given drawing view.
ErrorCode SetViewBackground(HWND view, int index, COLORREF color, int noStep);
int DefineRulersAndGrid();
// Shows or hides the grid in every open document.
int ToggleShowGrid();
