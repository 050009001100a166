// The in-place editor's margins follow the shape's text insets as its box
// grows or shrinks: an oval's text keeps inside the oval at any size.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

struct EditorInsetChange {
    RECT change;  // per side, the inset before less the inset after
    SIZE size;    // the requested box size, less the change for text-sized shapes
};

// For the editor of `owner`, whose box (shadow included) goes from `current`
// to `requested` drawing units: how its text insets change. With a text-sized
// shape the box is the text's, so the insets are scaled up from the text and
// the request shrinks by the change. Objects other than shapes keep theirs.
EditorInsetChange ComputeEditorInsetChange(const DrawingObject& owner, SIZE current, SIZE requested,
                                           const RECT& shadow);

// Moves the change into the editor's margins and the request `size` (width,
// height); the view's part of answering the editor's wish for a new size.
void AdjustEditorInsets(HWND view, HWND editor, int32_t* size);
