#include "lines/array_create.h"

#include "lines/array_bounds.h"
#include "lines/array_layout.h"
#include "lines/arrowheads.h"
#include "lines/line_attributes.h"
#include "common/rect_handle_point.h"
#include "common/tracking_mode.h"

namespace {

void TakeDefaultArrowheads(const DrawingRecord* drawing, DrawingObject* array, int corner)
{
    int32_t start = drawing->startArrow;
    int32_t end = drawing->endArrow;
    if (TrackingMode == kTrackingNewObject) {
        int s = start & 0xFF;
        if (s == 0)
            s = end & 0xFF;
        else if (end & 0xFF)
            s = 0;
        if (s != 0) {
            int f = GetOppositeSide(corner);
            if (f == 2 && ArrayIsVertical(array))
                f = 1;
            if (f == 1 || f == 3) {
                start = s;
                end = 0;
            } else {
                start = 0;
                end = s;
            }
        }
    }
    array->startArrow = start;
    array->endArrow = end;
    array->arrowSize = drawing->arrowSize;
    array->arrowEnds = RebuildArrowEnds(&array->startArrow, &array->endArrow);
}

} // namespace

ErrorCode CreateArray(DrawingRecord* drawing, void* table, int index, int corner)
{
    if (!drawing)
        return kErrNone;
    DrawingObject* array = KindObject(table, index);
    int store = drawing->storeSlot;
    short id = 0;
    ErrorCode code = FindFreeId(store, kArrayBranchGroup, &id);
    RecordHandle handle = nullptr;
    if (code == kErrNone)
        code = CreateRecord(store, kArrayBranchGroup, id, ArrayRecordSize(0), &handle);
    if (code != kErrNone)
        return code;

    array->lineWidth = drawing->lineWidth;
    array->lineStyle = 1;
    array->dataGroup = kArrayBranchGroup;
    array->dataFirstId = id;
    array->dataCount = 1;
    array->lineColor = drawing->style.lineColor;
    array->linkCapacity = 1;
    array->kindWord1 = 3;
    array->kindWord2 = 3;
    array->textRoleFlags = 0x10;
    array->inner = array->frame;
    array->textMargins = {0, 0, 0, 0};

    int width = array->frame.right - array->frame.left;
    int height = array->frame.bottom - array->frame.top;
    int length = width;
    if (array->shapeType != kArrayVertical && width < height)
        array->shapeType = kArrayVertical;
    if (ArrayIsVertical(array))
        length = height;
    if (TrackingMode == kTrackingNewObject || TrackingMode == kTrackingPlace)
        TakeDefaultArrowheads(drawing, array, corner);
    if (!ArrayIsVertical(array))
        array->kindCoordinate = (corner == 3 || corner == 4) ? array->frame.bottom : array->frame.top;
    else
        array->kindCoordinate = (corner == 2 || corner == 4) ? array->frame.right : array->frame.left;

    auto* list = static_cast<ArrayBranchHead*>(GlobalLock(handle));
    if (!list) {
        ReleaseRecord(handle);
        return kErrNoMemory;
    }
    list->flags = kArrayLinear;
    list->angle = 0;
    list->branchLength = 150;
    list->gap = 200;
    list->entryCount = 1;
    list->branchCount = 0;
    for (int i = 0; i < 3; ++i) {
        ArrayBranchEntry* e = ArrayEntryAt(list, i);
        *e = {0, 0, 0, 0, kNoObjectId, -1, i == 0 ? length : length / 2};
    }
    GlobalUnlock(handle);
    code = SetRecordDirty(handle);
    ReleaseRecord(handle);
    if (code != kErrNone)
        return code;
    return LayoutArray(drawing, table, index);
}

void OffsetArray(DrawingRecord* drawing, void* table, int index, int dx, int dy)
{
    DrawingObject* array = KindObject(table, index);
    array->kindCoordinate += ArrayIsVertical(array) ? dx : dy;
    ComputeArrayBounds(drawing, table, index);
}

void SetArrayLineWidth(DrawingRecord* drawing, void* table, int index, int resetStyle, int width)
{
    DrawingObject* array = KindObject(table, index);
    array->lineWidth = width == 0 ? 1 : width;
    if (drawing)
        drawing->lineWidth = array->lineWidth;
    if (resetStyle)
        array->lineStyle = 1;
    ComputeArrayBounds(drawing, table, index);
}

void SetArrayLineStyle(DrawingRecord* drawing, void* table, int index, int style)
{
    DrawingObject* array = KindObject(table, index);
    array->lineStyle = style;
    if (array->lineWidth != 1)
        SetArrayLineWidth(drawing, table, index, 0, 1);
}

void SetArrayArrowEnds(DrawingRecord* drawing, void* table, int index, int ends)
{
    DrawingObject* array = KindObject(table, index);
    if (array->groupIndex >= 0)
        return;
    array->arrowEnds = ends;
    array->startArrow = (ends & 2) ? 1 : 0;
    array->endArrow = (ends & 1) ? 1 : 0;
    ComputeArrayBounds(drawing, table, index);
}

void SetArrayArrowheads(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    DrawingObject* array = KindObject(table, index);
    if (!value || array->groupIndex >= 0)
        return;
    array->startArrow = MergeArrowheadWord(array->startArrow, value[0]);
    array->endArrow = MergeArrowheadWord(array->endArrow, value[2]);
    array->arrowEnds = RebuildArrowEnds(&array->startArrow, &array->endArrow);
    if (value[1] != -1)
        array->arrowSize = value[1];
    ComputeArrayBounds(drawing, table, index);
}

void GetArrayLineRect(DrawingRecord* drawing, void* table, int index, int wholeFrame, RECT* rect)
{
    if (!rect)
        return;
    const DrawingObject* array = KindObject(table, index);
    *rect = array->frame;
    if (wholeFrame)
        return;
    int entries = 1;
    bool linear = false;
    {
        ArrayRecord record;
        if (record.Find(drawing, index >= 0 ? table : nullptr, array) == kErrNone) {
            entries = record.Get()->entryCount;
            linear = ArrayIsLinear(record.Get());
        }
    }
    bool singleLine = !linear && entries == 1;
    if (!ArrayIsVertical(array)) {
        if (singleLine) {
            rect->left = array->inner.left;
            rect->right = array->inner.left;
        } else {
            rect->top = array->kindCoordinate;
            rect->bottom = array->kindCoordinate + 1;
        }
    } else {
        if (singleLine) {
            rect->top = array->inner.top;
            rect->bottom = array->inner.top;
        } else {
            rect->left = array->kindCoordinate;
            rect->right = array->kindCoordinate + 1;
        }
    }
}

int32_t GetArrayStemLength(const DrawingRecord* drawing, const void* table, int index)
{
    const DrawingObject* array = KindObject(const_cast<void*>(table), index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return 0;
    const ArrayBranchHead* list = record.Get();
    return list->entryCount < 2 ? ArrayEntryAt(list, 0)->extent : ArrayEntryAt(list, 1)->extent;
}
