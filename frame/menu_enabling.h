// Bringing the menus up to date with the active document: which document and
// view are active, and the enabling of a popup when it opens.
#pragma once
#include <windows.h>

// The menus take their look for the given document window (none: no document).
void ActivateDocumentView(HWND document, int activating);
// WM_INITMENUPOPUP of a menu-bar popup.
void EnableMenuPopup(HMENU popup);
// A right-button menu popup, enabled like the menu-bar popup of the kind.
void EnableRightMenuPopup(HMENU popup, int kind);
