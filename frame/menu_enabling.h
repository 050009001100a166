// Bringing the menus up to date with the active document: the document
// popups greyed while no document is open, and each popup's items enabled,
// checked and named as it opens, by the rules the dispatcher also obeys.
#pragma once
#include <windows.h>

// The menus take their look for the given document window (none: no document).
void ActivateDocumentView(HWND document, int activating);
// Greys (true) or enables the document popups of the menu bar; the File
// items that need a document are greyed either way until File opens.
void GreyDocumentMenus(bool grey);
// WM_INITMENUPOPUP of a menu-bar popup.
void EnableMenuPopup(HMENU popup);
// A right-button menu popup, enabled like the menu-bar popup of the kind.
void EnableRightMenuPopup(HMENU popup, int kind);
// The line-shape place of the Lines popup shows the array styles under
// "C&hange Connector Shape" for arrays, else the line shapes.
void ShowLineShapePlace(HMENU popup, int position, bool arrays);
// Send One (in the File popup) reads the document window's title, with its
// ampersands shown as such.
void ShowSendOneTitle(HMENU file, HWND document);
struct MenuContext;
// The Text popup's Shadow, colour and alignment checks, from the open
// editor or from the selected texts.
void InitTextChecks(HMENU popup, const MenuContext& c);
// The Background Color swatch of the page colour.
void InitBackgroundChecks(HMENU popup, const MenuContext& c);
// Whether a command may run now: it is built and its menu item would be
// enabled. A greyed command sent by its accelerator does nothing.
bool IsCommandApplicable(int id);
