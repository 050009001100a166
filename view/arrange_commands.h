// Attribute, arrange-menu and colour commands on the selection of the active view.
#pragma once
#include <windows.h>

// The Draw, Lines and Text menu commands carried out on the selection.
int DoArrangeCommand(int commandId, int flag);
// An attribute code and index from an attribute list of the menus.
int ApplyStyleCommand(int attribute, int index);
int ApplyColorsAndShadows();
// index into the colour table, or an explicit colour when `color` is given.
int SetBackgroundColor(int index, const COLORREF* color, int flags);
int DefineRulersAndGrid();
int ToggleShowGrid();
