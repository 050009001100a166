// Commands the menus, accelerators and palette offer whose work is not built
// yet: they are greyed wherever they show and refused when they arrive, so no
// command the user can choose does nothing.
#pragma once
#include <windows.h>

// Whether a command is not built, or not in the present state: Cut, Copy,
// Paste and the script commands work only in a text editor that has the focus.
bool IsUnbuiltCommand(int id);
// WM_INITMENUPOPUP, after the popup's own enabling: greys its unbuilt
// commands, and its submenus whose commands are all unbuilt.
void GreyUnbuiltCommands(HMENU popup);
// Greys the palette's buttons whose commands are unbuilt, enables the others.
void GreyUnbuiltPaletteButtons();
// Once per message of the main loop: the palette follows the keyboard focus
// into and out of a text editor.
void FollowFocusWithPalette();
