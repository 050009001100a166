// Laying an object's stored text out again in its frame.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/shape_text_insets.h"
#include "text/ten_state.h"

struct DrawingObject;
struct DrawingRecord;

// Lays the object's stored text out again in its text frame and fits the
// object to it; mode 0 keeps the object's alignment codes as growth anchors,
// 1..8 choose them. fontTable none: the document's.
ErrorCode ReflowObjectText(void* drawing, DrawingObject* object, int mode, void* fontTable);
// A hidden editor of 8 x 8 pixels under the drawing's view for `object`.
HWND MakeHiddenTextEditor(DrawingRecord* drawing, const DrawingObject* object, const RECT& margins, int minimumWidth,
                          int minimumHeight, HGLOBAL fontTable);
// Ends the use of a hidden editor: kept for the next text while a layout
// batch is open, destroyed otherwise.
void ReleaseHiddenTextEditor(HWND editor);

// While one lives, the texts laid out share one hidden editor: opening a
// drawing lays out thousands, and a window with its DCs made and destroyed
// for each costs more than the layout itself.
class TextLayoutBatch {
public:
    TextLayoutBatch();
    ~TextLayoutBatch();
    TextLayoutBatch(const TextLayoutBatch&) = delete;
    TextLayoutBatch& operator=(const TextLayoutBatch&) = delete;
};
