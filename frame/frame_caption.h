// The main window's caption: the program's title, and while a document window
// is maximized its name after it ("Tessary Plus - [PLAN.TYR]").
#pragma once

// Sets the caption anew for the active document.
void RefreshFrameCaption();
