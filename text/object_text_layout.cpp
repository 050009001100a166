#include "text/object_text_layout.h"

#include "common/rect_helpers.h"
#include "objects/drawing_layout.h"

void ComputeTextFrame(DrawingObject* object)
{
    object->textFrame = object->inner;
    ShrinkRect(&object->textFrame, &object->textInsets);
    ShrinkRect(&object->textFrame, &object->textMargins);
}

// Until the text engine lays texts out, a reflow only places the text frame.
ErrorCode ReflowObjectText(void*, DrawingObject* object, int, void*)
{
    ComputeTextFrame(object);
    return kErrNone;
}
