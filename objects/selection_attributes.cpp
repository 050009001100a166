#include "objects/selection_attributes.h"

#include <cstring>

#include "common/results.h"
#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/group_refit.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/rotate_object.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "objects/text_block.h"
#include "objects/view_record_word.h"

namespace {

const int kUndoChangeAppearance = 48;
const int kUndoRotate = 58;
const uint32_t kLabelRoles = 0x04 | 0x08 | 0x20;

void StartSummary(SelectionAttributes* s)
{
    std::memset(s, 0, sizeof(*s));
    s->lineWidth = kAttributeUnset;
    s->lineStyle = kAttributeUnset;
    s->fillMode = kAttributeUnset;
    s->fillColor = static_cast<COLORREF>(kAttributeUnset);
    s->lineColor = static_cast<COLORREF>(kAttributeUnset);
    s->textPlacement = kAttributeUnset;
    s->textAlignment = kAttributeUnset;
    s->textBoxWord = kAttributeUnset;
    s->sizingConstraint = kAttributeUnset;
    s->shapeType = kAttributeUnset;
    s->arrowSize = kAttributeUnset;
    s->startArrow = kAttributeUnset;
    s->endArrow = kAttributeUnset;
    s->lineType = kAttributeUnset;
    s->textRoleFlags = 0;
    s->stateFlags = kStatePictureObject;
    s->optionFlags = kOptionFrameless;
    s->rotation = 0;
}

template <typename Field>
void Merge(Field* summary, Field value)
{
    if (static_cast<int32_t>(*summary) == kAttributeUnset)
        *summary = value;
    else if (*summary != value)
        *summary = static_cast<Field>(kAttributeMixed);
}

// The object whose text stands for this one: itself, or for a label the
// object it names; -1 when that object is gone.
int TextHolderOf(void* objects, int index)
{
    DrawingObject* object = ObjectAt(objects, index);
    if (!(object->textRoleFlags & kLabelRoles))
        return index;
    int holder = FindObjectIndex(objects, object->labelPartnerId, object->labelPartnerHint);
    if (holder < 0) {
        object->labelPartnerId = kNoObjectId;
        object->labelPartnerHint = -1;
    } else {
        object->labelPartnerHint = holder;
    }
    return holder;
}

struct StyleTally {
    bool seen = false;
    uint32_t all = 0x7;     // style bits every format has so far
    int32_t first = 0;
    bool differ = false;
};

// Merges the formats of one text record into the summary.
ErrorCode MergeTextFormats(const DrawingRecord* drawing, int textId, TextFormatSummary* text, StyleTally* tally)
{
    if (textId < 0 || textId > 0x7FFF)
        return kErrNone;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(textId), &record);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    const DWORD head = 16;
    // Only a block whose counts fit the record is read.
    if (bytes && size > head && IsTextBlockSound(bytes + head, size - head)) {
        const auto* block = reinterpret_cast<const TextBlockHeader*>(bytes + head);
        const auto* formats = reinterpret_cast<const TextFormat*>(bytes + head + TextBlockFormatsOffset(*block));
        const auto* paragraphs =
            reinterpret_cast<const TextParagraph*>(bytes + head + TextBlockParagraphsOffset(*block));
        for (int i = 0; i < block->formatCount; ++i) {
            const TextFormat& format = formats[i];
            Merge(&text->face, format.face);
            Merge(&text->size, format.size);
            Merge(&text->color, format.color);
            int32_t sign = format.script > 0 ? 1 : (format.script < 0 ? -1 : 0);
            if (text->sign == kAttributeUnset)
                text->sign = sign;
            else if (text->sign != sign)
                text->sign = 0;
            int p = format.paragraphIndex;
            if (p >= 0 && p < block->paragraphCount) {
                Merge(&text->alignment, paragraphs[p].alignment);
                Merge(&text->spacing, paragraphs[p].characterSpacing);
            }
            if (!tally->seen) {
                tally->seen = true;
                tally->first = format.style;
            } else if (format.style != tally->first) {
                tally->differ = true;
            }
            tally->all &= static_cast<uint32_t>(format.style);
        }
    }
    if (bytes)
        GlobalUnlock(record);
    ReleaseRecord(record);
    return kErrNone;
}

void StartTextSummary(TextFormatSummary* text)
{
    text->face = kAttributeUnset;
    text->size = kAttributeUnset;
    text->color = static_cast<COLORREF>(kAttributeUnset);
    text->sign = kAttributeUnset;
    text->alignment = kAttributeUnset;
    text->spacing = kAttributeUnset;
    text->styleFlags = 0;
}

} // namespace

ErrorCode GatherSelectionAttributes(HWND view, int message, SelectionAttributes* summary, TextFormatSummary* text)
{
    StartSummary(summary);
    if (text)
        StartTextSummary(text);
    EditStep step;
    ErrorCode code = OpenEditStep(view, 0, &step);
    if (code != kErrNone || !step.drawing) {
        ReleaseEditStep(&step);
        return kErrNone;
    }
    DrawingRecord* drawing = step.drawing;
    LockedTable objects(drawing, kTableObjects);
    int selected = 0;
    StyleTally tally;
    for (int i = 0; i < objects.Count() && code == kErrNone; ++i) {
        if (!(ObjectAt(objects.Get(), i)->stateFlags & kStateSelected))
            continue;
        ++selected;
        CallObjectKind(nullptr, drawing, objects.Get(), i, message, 0, reinterpret_cast<INT_PTR>(text),
                       reinterpret_cast<INT_PTR>(summary));
        objects.Refresh();
        if (i == drawing->primarySelected)
            summary->rotation = ObjectAt(objects.Get(), i)->rotation;
        int holder = TextHolderOf(objects.Get(), i);
        if (holder < 0)
            continue;
        const DrawingObject* source = ObjectAt(objects.Get(), holder);
        Merge(&summary->textPlacement, source->textPlacement);
        Merge(&summary->textAlignment, source->textAlignment);
        if (text && source->textRecordId >= 0)
            code = MergeTextFormats(drawing, source->textRecordId, text, &tally);
    }
    if (text && tally.seen) {
        text->styleFlags = tally.all & (kSummaryAllBold | kSummaryAllItalic | kSummaryAllUnderlined);
        if (tally.differ)
            text->styleFlags |= kSummaryStylesDiffer;
    }
    ReleaseEditStep(&step);
    if (code != kErrNone)
        return code;
    return selected > 0 ? kSelectionGathered : kErrNone;
}

ErrorCode ApplyToSelection(HWND view, int message, INT_PTR value, INT_PTR pointer, int insideStep, int* warning)
{
    if (warning)
        *warning = 0;
    int undoKind = message == kMsgSetRotation ? kUndoRotate : kUndoChangeAppearance;
    EditStep step;
    ErrorCode code = OpenEditStep(view, 0, &step);
    if (code != kErrNone)
        return code;
    if (!step.drawing) {
        ReleaseEditStep(&step);
        return kErrNone;
    }
    ReleaseEditStep(&step);
    code = OpenEditStep(view, insideStep ? 0 : undoKind, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkRecordChanged(step.drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableObjects);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableDrawOrder);
    if (code != kErrNone) {
        CloseEditStep(&step, code, 0);
        return code;
    }
    DrawingRecord* drawing = step.drawing;
    // New objects take the colour last applied.
    if (pointer && message == kMsgSetOutlineColor)
        drawing->style.borderColor = *reinterpret_cast<const COLORREF*>(pointer);
    else if (pointer && message == kMsgSetFillColor)
        drawing->style.fillColor = *reinterpret_cast<const COLORREF*>(pointer);
    else if (pointer && message == kMsgSetLineColor)
        drawing->style.lineColor = *reinterpret_cast<const COLORREF*>(pointer);
    drawing->warningId = 0;

    PendingGroupRefits pending;
    for (int i = 0; code == kErrNone; ++i) {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get() || i >= objects.Count())
            break;
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (!(object->stateFlags & kStateSelected))
            continue;
        if (message == kMsgSetRotation && object->groupKey != 0)
            continue;
        InvalidateDrawingRect(drawing, &object->bounds);
        RECT before = object->frame;
        code = CallObjectKindCode(nullptr, drawing, objects.Get(), i, message, value, 0, pointer);
        objects.Refresh();
        object = ObjectAt(objects.Get(), i);
        InvalidateDrawingRect(drawing, &object->bounds);
        if (code != kErrNone)
            break;
        if (message == kMsgSetRotation) {
            code = PassAngleToLabel(drawing, i, static_cast<int>(value));
            objects.Refresh();
            object = ObjectAt(objects.Get(), i);
        }
        NoteGroupRefit(drawing, object, before, &pending);
    }
    if (code != kErrNone) {
        CloseEditStep(&step, code, 0);
        return code;
    }
    if (pending.count > 0) {
        ReleaseEditStep(&step);
        code = ApplyGroupRefits(view, pending);
        if (code != kErrNone)
            return code;
        code = OpenEditStep(view, 0, &step);
        if (code == kErrNone && !step.drawing)
            code = kErrNoMemory;
        if (code != kErrNone) {
            CloseEditStep(&step, code, 0);
            return code;
        }
        drawing = step.drawing;
    }
    code = UpdateLinks(drawing);
    const int left = drawing->warningId;
    drawing->warningId = 0;
    CloseEditStep(&step, code, 1);
    if (code == kErrNone && warning)
        *warning = left;
    return code;
}

bool SelectedOptionsDiffer(HGLOBAL drawingHandle, uint32_t option)
{
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return false;
    bool with = false;
    bool without = false;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if (!(object->stateFlags & kStateSelected))
                continue;
            ((object->optionFlags & option) ? with : without) = true;
        }
    }
    GlobalUnlock(drawingHandle);
    return with && without;
}

uint32_t GetSelectionCommandFlags(HGLOBAL drawingHandle)
{
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return 0;
    uint32_t flags = 0;
    if (drawing->selectedCount > 0) {
        {
            LockedTable groups(drawing, kTableGroups);
            for (int row = 0; row < groups.Count(); ++row) {
                if (GroupEntryAt(groups.Get(), row)->flags & kGroupSelected)
                    flags |= 0x2800;
            }
        }
        LockedTable objects(drawing, kTableObjects);
        int counted = 0;
        int32_t firstKey = 0;
        for (int i = 0; i < objects.Count(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if (!(object->stateFlags & kStateSelected))
                continue;
            if (object->stateFlags & kStateLocked)
                flags |= 8;
            if (object->textRecordId >= 0)
                flags |= 4;
            flags |= static_cast<uint32_t>(CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgCommandBits));
            objects.Refresh();
            object = ObjectAt(objects.Get(), i);
            if ((object->stateFlags & kStateAttached) || HasSingleBranchHook(object))
                continue;
            if (object->groupKey == 0 || object->groupIndex < 0) {
                if (counted > 0)
                    flags |= 0x1000;
            } else if (firstKey == 0) {
                if (counted > 0)
                    flags |= 0x1000;
                firstKey = object->groupKey;
            } else if (object->groupKey != firstKey) {
                flags |= 0x1000;
            }
            ++counted;
        }
    }
    GlobalUnlock(drawingHandle);
    return flags;
}
