#include "view/editor_insets.h"

#include "common/rect_helpers.h"
#include "objects/drawing_tables.h"
#include "objects/shadow_extent.h"
#include "objects/shape_text_insets.h"
#include "text/ten_messages.h"
#include "text/ten_state_access.h"
#include "view/selection_access.h"

namespace {

// The shape's text insets for a frame of `size` less the shadow, less `text`
// too when the frame is taken to be the text's extent.
RECT InsetsFor(DrawingObject* shape, SIZE size, const RECT& shadow, const RECT* text)
{
    shape->frame = RECT{0, 0, size.cx - shadow.left - shadow.right, size.cy - shadow.top - shadow.bottom};
    if (text)
        ShrinkRect(&shape->frame, text);
    ComputeShapeTextInsets(shape, text ? 1 : 0);
    return shape->textInsets;
}

struct EditorBox {
    SIZE size;
    RECT margins;
    int owner;
    bool shadow;
};

bool ReadEditorBox(HWND editor, EditorBox* box)
{
    TenStateLock state(editor);
    if (!state)
        return false;
    box->size = SIZE{state->live.boxWidth, state->live.boxHeight};
    box->margins = state->margins;
    box->owner = state->live.ownerObjectIndex;
    box->shadow = (state->stateFlags & kTenOwnerHasShadow) != 0;
    return true;
}

// A copy of the editor's owner and the drawing's shadow extent; false when
// the owner is gone.
bool CopyOwner(HWND view, const EditorBox& box, DrawingObject* owner, RECT* shadow)
{
    HGLOBAL handle = ViewDrawingHandle(view);
    auto* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    if (!drawing)
        return false;
    bool found = false;
    {
        LockedTable objects(drawing, kTableObjects);
        if (box.owner >= 0 && box.owner < objects.Count()) {
            *owner = *ObjectAt(objects.Get(), box.owner);
            found = true;
        }
    }
    *shadow = RECT{0, 0, 0, 0};
    if (box.shadow)
        GetShadowExtent(drawing, shadow, 0);
    GlobalUnlock(handle);
    return found;
}

} // namespace

EditorInsetChange ComputeEditorInsetChange(const DrawingObject& owner, SIZE current, SIZE requested,
                                           const RECT& shadow)
{
    EditorInsetChange result = {{0, 0, 0, 0}, requested};
    if (owner.kind != kKindShape)
        return result;
    DrawingObject shape = owner;
    const RECT before = InsetsFor(&shape, current, shadow, nullptr);
    const bool textSized = owner.textBoxWord != 0;
    const RECT after = InsetsFor(&shape, requested, shadow, textSized ? &before : nullptr);
    result.change = RECT{before.left - after.left, before.top - after.top, before.right - after.right,
                         before.bottom - after.bottom};
    if (textSized) {
        result.size.cx -= result.change.left + result.change.right;
        result.size.cy -= result.change.top + result.change.bottom;
    }
    return result;
}

void AdjustEditorInsets(HWND view, HWND editor, int32_t* size)
{
    EditorBox box;
    DrawingObject owner;
    RECT shadow;
    if (!ReadEditorBox(editor, &box) || !CopyOwner(view, box, &owner, &shadow))
        return;
    const EditorInsetChange fit = ComputeEditorInsetChange(owner, box.size, SIZE{size[0], size[1]}, shadow);
    RECT margins = box.margins;
    margins.left -= fit.change.left;
    margins.top -= fit.change.top;
    margins.right -= fit.change.right;
    margins.bottom -= fit.change.bottom;
    SendMessageA(editor, TENM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    size[0] = fit.size.cx;
    size[1] = fit.size.cy;
}
