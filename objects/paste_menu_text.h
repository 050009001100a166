// What Paste would paste, as the Edit menu names it.
#pragma once
#include <windows.h>

// The string id of the Paste item for the clipboard's content: a drawing of
// ours, a metafile or a bitmap; 0 when nothing can be pasted (also while the
// clipboard cannot be opened). Paste applies exactly when this is not 0.
int GetPasteMenuText();
