#include "text/text_background.h"

#include "common/color_helpers.h"
#include "common/handle_words.h"
#include "common/rect_helpers.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/paint_drawing.h"
#include "objects/shadow_extent.h"
#include "objects/view_record.h"
#include "text/ten_state.h"
#include "objects/view_record_word.h"

namespace {

// Draws a copy of the edited object, without its text, in the editor's box.
void DrawObjectUnderText(HDC dc, HGLOBAL drawingHandle, DrawingRecord* drawing, const DrawingObject& object,
                         const RECT& box, const TenState* state)
{
    DrawingObject copy = object;
    const int dx = box.left - object.frame.left;
    const int dy = box.top - object.frame.top;
    copy.frame = box;
    OffsetRect(&copy.inner, dx, dy);
    if (copy.fillMode == 0)
        copy.fillColor = state->backgroundColor;
    copy.fillMode = 1;
    copy.textRecordId = -1;
    copy.rotation = 0;
    const int32_t shadowKind = drawing->style.shadowKind;
    if (!(state->stateFlags & kTenOwnerHasShadow))
        drawing->style.shadowKind = 0;
    DrawSampleObjects(dc, drawingHandle, &copy, 1);
    drawing->style.shadowKind = shadowKind;
}

} // namespace

int32_t WINAPI VOR_EDAZovu(HWND editor, HDC dc, void* header)
{
    const auto* state = static_cast<const TenState*>(header);
    if (!editor || !dc || !state || state->live.ownerObjectIndex < 0)
        return 0;
    HWND view = GetParent(editor);
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    auto* viewRecord = viewHandle ? static_cast<ViewRecord*>(GlobalLock(viewHandle)) : nullptr;
    if (!viewRecord)
        return 0;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    HGLOBAL tableHandle = drawing ? DrawingTableHandle(drawing, kTableObjects) : nullptr;
    void* table = tableHandle ? GlobalLock(tableHandle) : nullptr;
    if (table && state->live.ownerObjectIndex < TableCount(table)) {
        const COLORREF page =
            drawing->style.backgroundColor == CLR_INVALID ? RGB(255, 255, 255) : drawing->style.backgroundColor;
        bool draw = state->backgroundColor != page;
        RECT box = {0, 0, state->live.boxWidth, state->live.boxHeight};
        HBRUSH brush = CreateSolidBrush(MapOutputColor(dc, page, 0));
        HGDIOBJ old = SelectObject(dc, brush);
        PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATCOPY);
        SelectObject(dc, old ? old : GetStockObject(NULL_BRUSH));
        DeleteObject(brush);
        if (state->stateFlags & kTenOwnerHasShadow) {
            RECT extent = {};
            GetShadowExtent(drawing, &extent, 0);
            ShrinkRect(&box, &extent);
        }
        const DrawingObject& object = *ObjectAt(table, state->live.ownerObjectIndex);
        if (object.kind == kKindShape && object.dataGroup > 0 && object.dataFirstId >= 0)
            draw = true;
        if (object.lineWidth != 0 || ((state->stateFlags & kTenOwnerHasShadow) && drawing->style.shadowKind != 0))
            draw = true;
        if (draw)
            DrawObjectUnderText(dc, drawingHandle, drawing, object, box, state);
    }
    if (table)
        GlobalUnlock(tableHandle);
    if (drawing)
        GlobalUnlock(drawingHandle);
    GlobalUnlock(viewHandle);
    return 0;
}
