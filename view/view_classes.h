// Registers the window classes of a document window and its children.
#pragma once
#include <windows.h>

extern const char kDocumentClassName[];
extern const char kScrollClassName[];
extern const char kHRulerClassName[];
extern const char kVRulerClassName[];
extern const char kXRulerClassName[];

// The document window, the view, the rulers and the corner box; false when
// one fails. A class already registered counts as made.
bool RegisterViewClasses(HINSTANCE instance);
