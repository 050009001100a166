#include "objects/shape_attributes.h"

#include "common/flag_helpers.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_offset.h"
#include "objects/shape_frames.h"
#include "store/record_store.h"
#include "objects/object_text_hooks.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0;
const COLORREF kNoColor = 0xFFFFFFFF;

// The drawing's background, white when it has none.
COLORREF BackgroundOf(const DrawingRecord* drawing)
{
    COLORREF background = drawing ? drawing->style.backgroundColor : kNoColor;
    return background == kNoColor ? kWhite : background;
}

// The TextEffect at the end of a text block's header: record offsets 84..103.
const int kTextEffectOffset = 16 + 68;
const int kTextEffectEnd = 16 + 88;

} // namespace

ErrorCode SetShapeLineWidth(DrawingRecord* drawing, void* table, int index, int solid, const int32_t* value)
{
    DrawingObject* object = KindObject(table, index);
    if (drawing)
        drawing->outlineWidth = value[1];
    object->lineWidth = value[1];
    if (solid)
        object->lineStyle = 1;
    return RecalcShapeFrame(drawing, object, 1);
}

void SetShapeLineStyle(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    DrawingObject* object = KindObject(table, index);
    object->lineStyle = value[1];
    if (object->lineWidth == 0) {
        const int32_t width[2] = {0, 1};
        DiscardError(SetShapeLineWidth(drawing, table, index, 0, width),
                     "a text that cannot be laid out again keeps its old layout");
        return;
    }
    DiscardError(RecalcShapeFrame(drawing, object, 1), "a text that cannot be laid out again keeps its old layout");
}

void SetShapeFillPattern(DrawingRecord* drawing, void* table, int index, int, const int32_t* value)
{
    DrawingObject* object = KindObject(table, index);
    int pattern = value[1];
    if (pattern == 1) {
        if (object->fillMode == 0)
            return;
        object->fillMode = object->fillColor == kNoColor ? 0 : 1;
    } else {
        object->fillMode = pattern;
    }
    if (drawing)
        drawing->fillMode = object->fillMode;
    if (pattern > 1) {
        // Keep a hatch visible against its own outline.
        COLORREF fill = object->fillColor != kNoColor ? object->fillColor : BackgroundOf(drawing);
        if (object->lineColor == fill)
            object->lineColor = fill == kBlack ? kWhite : kBlack;
    }
    DiscardError(RecalcShapeFrame(drawing, object, 1), "a text that cannot be laid out again keeps its old layout");
}

void SetShapeLineColor(DrawingRecord* drawing, void* table, int index, int flag, const COLORREF* color)
{
    DrawingObject* object = KindObject(table, index);
    object->lineColor = *color;
    if (object->lineWidth == 0 && flag) {
        int32_t width[2] = {0, drawing && drawing->outlineWidth != 0 ? drawing->outlineWidth : 12};
        DiscardError(SetShapeLineWidth(drawing, table, index, flag, width),
                     "a text that cannot be laid out again keeps its old layout");
        return;
    }
    DiscardError(RecalcShapeFrame(drawing, object, 1), "a text that cannot be laid out again keeps its old layout");
}

void SetShapeFillColor(DrawingRecord* drawing, void* table, int index, int flag, const COLORREF* color)
{
    DrawingObject* object = KindObject(table, index);
    if (object->fillMode == 0 && !flag)
        return;
    if (!flag && (object->stateFlags & kStateAttached) && object->fillColor == BackgroundOf(drawing))
        return;
    COLORREF c = *color;
    if (c == kNoColor && object->fillMode == 1)
        object->fillMode = 0;
    else if (c != kNoColor && object->fillMode == 0)
        object->fillMode = 1;
    object->fillColor = c;
    DiscardError(RecalcShapeFrame(drawing, object, 1), "a text that cannot be laid out again keeps its old layout");
}

ErrorCode ApplyShadowSchemeToText(DrawingRecord* drawing, void* table, int index)
{
    DrawingObject* object = KindObject(table, index);
    if (object->textRecordId >= 0 && drawing) {
        RecordHandle record = nullptr;
        ErrorCode code =
            FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record);
        if (code == kErrNone)
            code = MarkRecordChanged(record);
        if (code == kErrNone && QueryRecordSize(record) >= static_cast<DWORD>(kTextEffectEnd)) {
            auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
            auto* effect = reinterpret_cast<int32_t*>(bytes + kTextEffectOffset);
            const ColorStyle& style = drawing->style;
            if ((style.flags & kStyleShadowOnText) && !(object->optionFlags & kOptionHideTextShadow)) {
                int kind = style.shadowKind;
                if (style.flags & kStyleReverseTextShadow)
                    kind = kind == 1 ? 2 : kind == 2 ? 1 : kind;
                effect[0] = style.shadowDx;
                effect[1] = style.shadowDy;
                effect[2] = kind;
                effect[3] = static_cast<int32_t>(style.shadowColor);
                effect[4] = static_cast<int32_t>(style.highlightColor);
            } else {
                effect[2] = 0;
            }
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        }
        if (record)
            ReleaseRecord(record);
        if (code != kErrNone)
            return code;
    }
    return RecalcShapeFrame(drawing, KindObject(table, index), 1);
}

ErrorCode SetShapeTextOption(DrawingRecord* drawing, void* table, int index, int value)
{
    DrawingObject* object = KindObject(table, index);
    if (object->textBoxWord == value)
        return kErrNone;
    object->textBoxWord = value;
    ErrorCode code = ObjectTextCalls.reflow(drawing, object, 0, nullptr);
    if (code != kErrNone)
        return code;
    return index >= 0 ? KeepInsideThroughView(drawing, table, index) : kErrNone;
}

ErrorCode SetObjectShadowFlags(DrawingRecord* drawing, void* table, int index, uint32_t mask, int set)
{
    SetFlagBits(&KindObject(table, index)->optionFlags, mask, set);
    return CallObjectKindCode(nullptr, drawing, table, index, kMsgShadowSchemeChanged);
}

ErrorCode SetShapeTextSizing(DrawingRecord* drawing, void* table, int index, int frameless, int constraint)
{
    DrawingObject* object = KindObject(table, index);
    // A negative constraint keeps the shape's own: the shapes of a selection
    // whose rules differ keep theirs when only the colours are changed.
    if (constraint >= 0)
        object->sizingConstraint = constraint;
    if (frameless == -1)
        return kErrNone;
    bool isFrameless = (object->optionFlags & kOptionFrameless) != 0;
    if (isFrameless && frameless == 0) {
        if (object->lineWidth == 0)
            object->lineWidth = 1;
        object->fillMode = 1;
        if (object->fillColor == kBlack)
            object->fillColor = kWhite;
        if (object->lineColor == kWhite)
            object->lineColor = kBlack;
        DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
    } else if (!isFrameless && frameless != 0) {
        object->lineWidth = 0;
        object->fillMode = 0;
        DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
    }
    SetFlagBits(&object->optionFlags, kOptionFrameless, frameless);
    return kErrNone;
}
