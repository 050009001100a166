#include "objects/object_create.h"

#include <cstring>

#include "common/results.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "common/app_globals.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_ids.h"
#include "objects/object_kind_table.h"
#include "objects/text_format_bar.h"
#include "store/record_store.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

namespace {

const int kMinimumSide = 24;
const int kUndoAddObject = 40;
const int kHintConnectorCommand = 994;
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kNoColor = 0xFFFFFFFF;

bool arrayHintShown = false;

COLORREF AsWhite(COLORREF color)
{
    return color == kNoColor ? kWhite : color;
}

bool HintsWanted()
{
    if (!AppOptions)
        return false;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return (flags & kOptionsHints) != 0;
}

struct NewObject {
    HWND view;
    int kind;
    RECT frame;
    int shapeType;
    INT_PTR a, b, c;
    int insideStep;
    int select;
};

// Clears the selection before the new object takes it.
void DropSelection(DrawingRecord* drawing, LockedTable& objects, LockedTable& groups)
{
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (object->stateFlags & kStateSelected) {
            object->stateFlags &= ~kStateSelected;
            InvalidateDrawingRect(drawing, &object->bounds);
        }
    }
    for (int i = 0; i < groups.Count(); ++i) {
        GroupEntry* group = GroupEntryAt(groups.Get(), i);
        if (group->flags & kGroupSelected) {
            group->flags &= ~kGroupSelected;
            InvalidateDrawingRect(drawing, &group->bounds);
        }
    }
}

void FillNewEntry(const DrawingRecord* drawing, DrawingObject* object, const NewObject& request, int32_t id)
{
    // Every byte starts as zero: no field of a new entry is left from before.
    std::memset(object, 0, sizeof(*object));
    object->kind = request.kind;
    object->frame = request.frame;
    object->bounds = request.frame;
    object->inner = request.frame;
    object->referenceFrame = request.frame;
    InflateRect(&object->bounds, 30, 30);
    InflateRect(&object->inner, -24, -24);
    object->textFrame = object->inner;
    object->textMargins = {24, 24, 24, 24};
    object->textRecordId = -1;
    object->textPlacement = drawing->textPlacement;
    object->textAlignment = drawing->textAlignment;
    object->width = request.frame.right - request.frame.left;
    object->height = request.frame.bottom - request.frame.top;
    object->lineWidth = drawing->outlineWidth;
    object->lineStyle = 1;
    object->fillMode = drawing->fillMode;
    object->fillColor = drawing->style.fillColor;
    object->lineColor = drawing->style.borderColor;
    object->dataGroup = -1;
    object->dataFirstId = -1;
    object->shapeType = request.shapeType;
    object->stateFlags = request.select && !request.insideStep ? static_cast<uint32_t>(kStateSelected) : 0u;
    object->objectId = id;
    object->arrowSize = 1;
    object->labelPartnerId = kNoObjectId;
    object->labelPartnerHint = -1;
    object->groupIndex = -1;
    // A new object is never invisible: no outline on a fill the colour of the
    // background gets a thin one.
    if (AsWhite(object->fillColor) == AsWhite(drawing->style.backgroundColor) && object->lineWidth == 0)
        object->lineWidth = 1;
}

struct Outcome {
    ErrorCode code = kErrNone;
    bool cancelStep = false;   // a failure that the step's roll-back undoes
};

Outcome AddObject(RecordHandle drawingHandle, DrawingRecord* drawing, const NewObject& request)
{
    Outcome outcome;
    ErrorCode code = MarkRecordChanged(drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableObjects);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableDrawOrder);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableGroups);
    if (code != kErrNone) {
        outcome.code = code;
        return outcome;
    }
    int32_t id = NewObjectId(drawing);
    if (id == 0) {
        outcome.code = kErrNotDone;
        return outcome;
    }
    int count = 0;
    {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get()) {
            outcome.code = kErrNoMemory;
            return outcome;
        }
        count = objects.Count();
    }
    if (count >= kMaxObjects) {
        outcome.code = kErrTooManyObjects;
        return outcome;
    }
    code = ResizeDrawingTable(drawing, kTableObjects, kTableHeadSize + kObjectEntrySize * static_cast<DWORD>(count + 1));
    if (code != kErrNone) {
        outcome.code = code;
        return outcome;
    }
    code = ResizeDrawingTable(drawing, kTableDrawOrder, kTableHeadSize + 4 * static_cast<DWORD>(count + 1));
    if (code != kErrNone) {
        outcome.code = code;
        outcome.cancelStep = true;
        return outcome;
    }

    LockedTable objects(drawing, kTableObjects);
    LockedTable order(drawing, kTableDrawOrder);
    LockedTable groups(drawing, kTableGroups);
    if (!objects.Get() || !order.Get()) {
        outcome.code = kErrNoMemory;
        outcome.cancelStep = true;
        return outcome;
    }
    drawing->loadedSet = 0;
    if (request.select) {
        drawing->selectedCount = request.insideStep ? 0 : 1;
        DropSelection(drawing, objects, groups);
    }
    int index = count;
    static_cast<TableHead*>(objects.Get())->count = count + 1;
    if (request.select && drawing->selectedCount == 1)
        drawing->primarySelected = index;
    if (drawing->style.fillColor == drawing->style.borderColor || drawing->fillMode == 0)
        drawing->fillMode = 1;
    FillNewEntry(drawing, ObjectAt(objects.Get(), index), request, id);

    code = CallObjectKindCode(nullptr, drawing, objects.Get(), index, kMsgInitObject, request.a, request.b, request.c);
    objects.Refresh();
    order.Refresh();
    InvalidateLogicalRect(request.view, &ObjectAt(objects.Get(), index)->bounds);
    if (code == kErrNone) {
        auto* head = static_cast<TableHead*>(order.Get());
        DrawOrderEntries(order.Get())[head->count] = index;
        ++head->count;
    } else {
        outcome.cancelStep = true;
    }
    outcome.code = code;
    return outcome;
}

} // namespace

ErrorCode CreateObject(HWND view, int kind, const RECT* frame, int shapeType, INT_PTR a, INT_PTR b, int report,
                       int insideStep, INT_PTR c, int select)
{
    SetAppCursor(1);
    if (kind == kKindArray && !arrayHintShown && HintsWanted() && MainWindow) {
        arrayHintShown = true;
        PostMessageA(MainWindow, WM_COMMAND, kHintConnectorCommand, 0);
    }
    if (frame->right - frame->left < kMinimumSide && frame->bottom - frame->top < kMinimumSide)
        return kErrNone;
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return kErrNoMemory;
    if (!insideStep) {
        ErrorCode code = BeginDocumentUndo(view, kUndoAddObject);
        if (code != kErrNone)
            return code;
    }

    NewObject request = {view, kind, *frame, shapeType, a, b, c, insideStep, select};
    Outcome outcome;
    {
        void* viewRecord = GlobalLock(viewHandle);
        RecordHandle drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
        auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
        if (drawing) {
            outcome = AddObject(drawingHandle, drawing, request);
            GlobalUnlock(drawingHandle);
        } else {
            outcome.code = kErrNoMemory;
        }
        GlobalUnlock(viewHandle);
    }

    if (outcome.code != kErrNone && !outcome.cancelStep)
        return outcome.code;   // the caller cancels and reports
    if (outcome.code != kErrNone && !insideStep) {
        DiscardError(CancelDrawingEdit(view), "the roll-back warns of its own failure");
        void* viewRecord = GlobalLock(viewHandle);
        if (viewRecord)
            WriteViewField(viewRecord, kViewPendingUndo, 0);
        GlobalUnlock(viewHandle);
    } else {
        if (report) {
            void* viewRecord = GlobalLock(viewHandle);
            MarkDrawingEdited(view, viewRecord, 0);
            GlobalUnlock(viewHandle);
        }
        UpdateTextFormatBar(view);
    }
    return outcome.code;
}
