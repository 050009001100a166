#include <cstring>

#include "objects/document_modified.h"
#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "text/format_records.h"
#include "text/object_text_helpers.h"
#include "text/object_text_layout.h"
#include "text/ten_messages.h"
#include "text/ten_state_access.h"
#include "objects/text_block_store.h"
#include "common/edit_errors.h"
#include "view/object_text_edit.h"
#include "objects/view_record_word.h"

namespace {

// What the editor knew of its box when the editing ended.
struct EditorBox {
    int originX = 0;
    int originY = 0;
    int width = 0;
    int height = 0;
    RECT margins = {};
    int verticalAlignment = 0;
};

EditorBox ReadEditorBox(HWND editor)
{
    EditorBox box;
    TenStateLock state(editor);
    if (!state)
        return box;
    box.originX = state->originX;
    box.originY = state->originY;
    box.width = state->live.boxWidth;
    box.height = state->live.boxHeight;
    box.margins = state->margins;
    box.verticalAlignment = state->live.verticalAlignment;
    return box;
}

// Folds the block's left and top margins into its lines; the old margins out.
RECT FoldBlockMargins(HGLOBAL block)
{
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    RECT margins = {};
    if (!bytes)
        return margins;
    TextBlockHeader header;
    std::memcpy(&header, bytes, sizeof(header));
    margins = RECT{header.marginLeft, header.marginTop, header.marginRight, header.marginBottom};
    auto* lines = reinterpret_cast<TextLine*>(bytes + TextBlockLinesOffset());
    for (int i = 0; i < header.lineCount; ++i) {
        lines[i].left -= header.marginLeft;
        lines[i].top -= header.marginTop;
    }
    header.marginLeft = header.marginTop = header.marginRight = header.marginBottom = 0;
    std::memcpy(bytes, &header, sizeof(header));
    GlobalUnlock(block);
    return margins;
}

TextBlockHeader HeaderOf(HGLOBAL block)
{
    TextBlockHeader header = {};
    if (const void* bytes = GlobalLock(block)) {
        std::memcpy(&header, bytes, sizeof(header));
        GlobalUnlock(block);
    }
    return header;
}

int FirstAlignment(HGLOBAL block)
{
    int alignment = 0;
    if (auto* bytes = static_cast<const unsigned char*>(GlobalLock(block))) {
        TextBlockHeader header;
        std::memcpy(&header, bytes, sizeof(header));
        if (header.paragraphCount > 0)
            std::memcpy(&alignment, bytes + TextBlockParagraphsOffset(header), sizeof(alignment));
        GlobalUnlock(block);
    }
    return alignment;
}

struct Session {
    HWND view;
    ViewRecord* viewRecord;
    HGLOBAL drawingHandle;
    DrawingRecord* drawing;
    HGLOBAL tableHandle;
    void* table;

    void Lock()
    {
        drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
        tableHandle = drawing ? DrawingTableHandle(drawing, kTableObjects) : nullptr;
        table = tableHandle ? GlobalLock(tableHandle) : nullptr;
    }
    void Unlock()
    {
        if (table)
            GlobalUnlock(tableHandle);
        if (drawing)
            GlobalUnlock(drawingHandle);
        table = nullptr;
        drawing = nullptr;
    }
};

void Invalidate(Session& s, const DrawingObject* object)
{
    InvalidateLogicalRect(s.view, &object->bounds);
    s.viewRecord->flags |= kViewRepaintBuffered;
}

void Select(Session& s, int index)
{
    DrawingObject* object = ObjectAt(s.table, index);
    if (object->stateFlags & kStateSelected)
        return;
    object->stateFlags |= kStateSelected;
    ++s.drawing->selectedCount;
    s.drawing->primarySelected = index;
}

ErrorCode EndEmptyText(Session& s, HWND editor, int index, int select)
{
    DrawingObject* object = ObjectAt(s.table, index);
    if (!(object->stateFlags & kStateTextBox)) {
        if (object->textRecordId >= 0 && object->textRecordId <= 32767) {
            RecordHandle record = nullptr;
            if (FindRecord(s.drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) ==
                    kErrNone &&
                DeleteRecordByHandle(record) == kErrNone)
                GlobalFree(record);
        }
        object->textRecordId = -1;
        object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
        Invalidate(s, object);
        if (select == 1)
            Select(s, index);
        return kErrNone;
    }
    // An emptied free text goes, and its host forgets it.
    if (object->stateFlags & kStateAttached) {
        const int host = FindObjectIndex(s.table, object->labelPartnerId, object->labelPartnerHint);
        if (host >= 0) {
            ObjectAt(s.table, host)->labelPartnerId = kNoObjectId;
            ObjectAt(s.table, host)->labelPartnerHint = -1;
        }
    }
    Invalidate(s, object);
    s.Unlock();
    s.Lock();
    ErrorCode code = s.drawing ? DeleteObjects(s.drawing, 0, index) : kErrNoMemory;
    s.Unlock();
    s.Lock();
    TenStateLock state(editor);
    if (state)
        state->live.ownerObjectIndex = -1;
    return code;
}

// A grouped object's new size rescales its whole group around it.
ErrorCode RescaleGroup(Session& s, int index, const RECT& newFrame)
{
    DrawingObject* object = ObjectAt(s.table, index);
    const RECT old = object->frame;
    const int row = FindGroup(s.drawing, object->groupKey, object->groupIndex, 0);
    HGLOBAL groupsHandle = DrawingTableHandle(s.drawing, kTableGroups);
    void* groups = (row >= 0 && groupsHandle) ? GlobalLock(groupsHandle) : nullptr;
    if (!groups)
        return kErrNone;
    const GroupEntry group = *GroupEntryAt(groups, row);
    GlobalUnlock(groupsHandle);
    const int oldWidth = old.right - old.left;
    const int oldHeight = old.bottom - old.top;
    double fx = oldWidth > 0 ? static_cast<double>(newFrame.right - newFrame.left) / oldWidth : 1.0;
    double fy = oldHeight > 0 ? static_cast<double>(newFrame.bottom - newFrame.top) / oldHeight : 1.0;
    if (group.sizingConstraint == 3)
        fx = fy = fx > fy ? fx : fy;
    RECT frame = group.frame;
    frame.right = frame.left + static_cast<LONG>((group.frame.right - group.frame.left) * fx);
    frame.bottom = frame.top + static_cast<LONG>((group.frame.bottom - group.frame.top) * fy);
    int dx = newFrame.left - old.left;
    int dy = newFrame.top - old.top;
    const int width = s.viewRecord->drawingWidth;
    const int height = s.viewRecord->drawingHeight;
    if (frame.left + dx < 0)
        dx = -frame.left;
    if (frame.top + dy < 0)
        dy = -frame.top;
    if (frame.right + dx > width)
        dx = width - frame.right;
    if (frame.bottom + dy > height)
        dy = height - frame.bottom;
    OffsetRect(&frame, dx, dy);
    // The group's resize may reach the view; the editor stays ours.
    const int32_t editor = s.viewRecord->textEditor;
    s.Unlock();
    ErrorCode code = SetGroupRect(s.view, row, &frame, 0, 0, 1);
    s.viewRecord->textEditor = editor;
    s.Lock();
    return s.table ? code : kErrNoMemory;
}

ErrorCode StoreIntoObject(Session& s, HWND editor, int index, HGLOBAL block, const RECT& margins, int select)
{
    DrawingObject* object = ObjectAt(s.table, index);
    const EditorBox box = ReadEditorBox(editor);
    object->textPlacement = box.verticalAlignment;
    object->textAlignment = FirstAlignment(block);
    ErrorCode code = kErrNone;
    if (object->textRecordId < 0 || object->textRecordId > 32767) {
        short id = 0;
        RecordHandle created = nullptr;
        code = FindFreeId(s.drawing->storeSlot, kTextGroup, &id);
        if (code == kErrNone)
            code = CreateRecord(s.drawing->storeSlot, kTextGroup, id, kTextRecordHeaderBytes, &created);
        if (code == kErrNone) {
            ReleaseRecord(created);
            object->textRecordId = id;
        }
    }
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = FindRecord(s.drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record);
    bool stored = false;
    if (code == kErrNone) {
        // Without its before-image the text stays as it was: undo could not bring it back.
        code = SetRecordDirty(record);
        if (code == kErrNone)
            code = MarkRecordChanged(record);
        if (code == kErrNone)
            code = StoreTextBlock(&record, block);
        stored = code == kErrNone;
    }
    if (stored) {
        const TextBlockHeader header = HeaderOf(block);
        if (object->textBoxWord == 1 && (header.options & kTenWordWrap))
            object->textBoxWord = 2;
        RECT frame = {box.originX, box.originY, box.originX + box.width, box.originY + box.height};
        if ((object->stateFlags & kStateTextBox) && object->textBoxWord == 1 && object->textAlignment == 0)
            frame.right += 60;
        RECT textFrame = {frame.left + margins.left, frame.top + margins.top, frame.right - margins.right,
                          frame.bottom - margins.bottom};
        if (ObjectHasShadow(s.drawing, object)) {
            RECT extent = {};
            GetShadowExtent(s.drawing, &extent, 0);
            frame.left += extent.left;
            frame.top += extent.top;
            frame.right -= extent.right;
            frame.bottom -= extent.bottom;
        }
        if (object->rotation != 0)
            Invalidate(s, object);
        if (object->groupIndex < 0 || GroupResizeActive) {
            object->frame = frame;
            DiscardError(RecalcShapeFrame(s.drawing, object, 0), "without a reflow nothing can fail");
            object->textFrame = textFrame;
        } else {
            code = RescaleGroup(s, index, frame);
            object = ObjectAt(s.table, index);
            if (code != kErrNone) {
                if (record)
                    ReleaseRecord(record);
                object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
                Invalidate(s, object);
                return code;
            }
        }
        MarkLinksOf(s.drawing, object->objectId, 0x10, object->groupKey, object->groupIndex);
        for (int i = 0; i < object->linkCount && i < 2; ++i) {
            const int target = FindObjectIndex(s.table, object->links[i].targetId, object->links[i].targetHint);
            if (target >= 0) {
                const DrawingObject* t = ObjectAt(s.table, target);
                MarkLinksOf(s.drawing, t->objectId, 0x10, t->groupKey, t->groupIndex);
            }
        }
        code = KeepObjectInsideDrawing(s.viewRecord, s.drawing, s.table, index);
        object = ObjectAt(s.table, index);
    }
    if (record)
        ReleaseRecord(record);
    object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
    if (select == 1)
        Select(s, index);
    Invalidate(s, object);
    if (code == kErrNone)
        code = UpdateLinks(s.drawing);
    return code;
}

// A new guest hangs on its host at the anchor of its alignments.
ErrorCode AttachGuest(Session& s, int guest, int labelReference)
{
    const int host = FindObjectIndex(s.table, labelReference & 0xFFFF, (labelReference >> 16) & 0xFFFF);
    // The host is gone: the text stands free.
    if (host < 0)
        return kErrNone;
    DrawingObject* g = ObjectAt(s.table, guest);
    DrawingObject* h = ObjectAt(s.table, host);
    h->labelPartnerId = g->objectId;
    h->labelPartnerHint = guest;
    if (h->textRoleFlags & kGuestStaysHorizontal)
        g->optionFlags |= kOptionFollowsHostFlag;
    g->labelPartnerId = h->objectId;
    g->labelPartnerHint = host;
    g->stateFlags |= kStateAttached;
    int code = 206;
    int offsetX = 300;
    int offsetY = 0;
    if (h->textRoleFlags & kCaptionBelow) {
        code = 205;
        offsetY = 600;
    } else if (h->textRoleFlags & kTextAlongLine) {
        int point = 0;
        AnchorCode(g->textAlignment, g->textPlacement, &code, &point);
        offsetX = offsetY = point;
        if (g->textPlacement == 6) {
            g->fillMode = 1;
            g->fillColor = s.drawing->style.backgroundColor == CLR_INVALID ? RGB(255, 255, 255)
                                                                          : s.drawing->style.backgroundColor;
        }
    }
    int angle = h->rotation;
    CallObjectKind(nullptr, s.drawing, s.table, host, kMsgLineAngle, 1, code, reinterpret_cast<INT_PTR>(&angle));
    if (angle != 0)
        CallObjectKind(nullptr, s.drawing, s.table, guest, kMsgSetRotation, angle);
    const ErrorCode linked = ConnectSlot(s.drawing, guest, -1, host, code, offsetX, offsetY);
    if (linked != kErrNone)
        return linked;
    g = ObjectAt(s.table, guest);
    h = ObjectAt(s.table, host);
    MarkLinksOf(s.drawing, g->objectId, 0x10, g->groupKey, g->groupIndex);
    if (h->groupIndex < 0)
        return UpdateLinks(s.drawing);
    g->groupKey = h->groupKey;
    g->groupIndex = h->groupIndex;
    return kErrNone;
}

ErrorCode MakeFreeText(Session& s, HWND editor, HGLOBAL block, const RECT& margins, int select)
{
    const TextBlockHeader header = HeaderOf(block);
    if (header.textLength == 0)
        return kErrNone;
    const EditorBox box = ReadEditorBox(editor);
    s.drawing->toolSlot = -1;
    RECT rect = {0, 0, header.widestLine + (header.labelReference >= 0 ? 6 : 100), header.textHeight};
    OffsetRect(&rect, box.originX + margins.left, box.originY + margins.top);
    s.Unlock();
    ErrorCode code = CreateObject(s.view, kKindShape, &rect, 0, 0, reinterpret_cast<INT_PTR>(block), 0,
                                  select == -1 ? 1 : 0, 0, select == 1 ? 1 : 0);
    s.Lock();
    if (code != kErrNone || !s.table)
        return code != kErrNone ? code : kErrNoMemory;
    const int index = TableCount(s.table) - 1;
    {
        TenStateLock state(editor);
        if (state)
            state->live.ownerObjectIndex = index;
    }
    DrawingObject* object = ObjectAt(s.table, index);
    object->textPlacement = box.verticalAlignment;
    object->textAlignment = FirstAlignment(block);
    if (header.labelReference >= 0)
        code = AttachGuest(s, index, header.labelReference);
    object = ObjectAt(s.table, index);
    object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
    Invalidate(s, object);
    if (code != kErrNone)
        return code;
    if (select == 0) {
        object->stateFlags &= ~static_cast<uint32_t>(kStateSelected);
        s.drawing->selectedCount = 0;
        s.drawing->primarySelected = -1;
    }
    RecordHandle record = nullptr;
    if (object->textRecordId >= 0 &&
        FindRecord(s.drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) == kErrNone) {
        const DWORD size = QueryRecordSize(record);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
        if (bytes && size > kTextRecordHeaderBytes &&
            IsTextBlockSound(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes)) {
            unsigned char* b = bytes + kTextRecordHeaderBytes;
            TextBlockHeader h;
            std::memcpy(&h, b, sizeof(h));
            auto* lines = reinterpret_cast<TextLine*>(b + TextBlockLinesOffset());
            const auto* formats = reinterpret_cast<const TextFormat*>(b + TextBlockFormatsOffset(h));
            const auto* paragraphs = reinterpret_cast<const TextParagraph*>(b + TextBlockParagraphsOffset(h));
            if (h.paragraphCount > 0)
                object->textAlignment = paragraphs[0].alignment;
            AlignTenLines(lines, formats, paragraphs, h.lineCount, h.formatCount, h.paragraphCount, 0, h.widestLine);
        }
        if (bytes)
            GlobalUnlock(record);
        DiscardError(SetRecordDirty(record), "the record was found just now: its handle is good");
        ReleaseRecord(record);
    }
    return KeepObjectInsideDrawing(s.viewRecord, s.drawing, s.table, index);
}

} // namespace

ErrorCode EndObjectText(HWND view, void* viewArg, int, int select)
{
    auto* viewRecord = static_cast<ViewRecord*>(viewArg);
    HWND editor = viewRecord ? GetViewTextEditor(viewRecord) : nullptr;
    if (!editor)
        return kErrNone;
    ErrorCode code = kErrNone;
    HGLOBAL block = reinterpret_cast<HGLOBAL>(SendMessageA(editor, TENM_GETTEXTBLOCK, kTextBlockWholeText, 0));
    if (!block) {
        code = kErrNoMemory;
    } else {
        const RECT margins = FoldBlockMargins(block);
        const TextBlockHeader header = HeaderOf(block);
        Session s = {view, viewRecord, GetViewDrawingHandle(viewRecord), nullptr, nullptr, nullptr};
        s.Lock();
        if (!s.table) {
            code = kErrNoMemory;
        } else if (header.ownerObjectIndex >= 0 && header.ownerObjectIndex < TableCount(s.table)) {
            if (header.textLength == 0)
                code = EndEmptyText(s, editor, header.ownerObjectIndex, select);
            else
                code = StoreIntoObject(s, editor, header.ownerObjectIndex, block, margins, select);
        } else if (header.ownerObjectIndex < 0) {
            code = MakeFreeText(s, editor, block, margins, select);
        }
        s.Unlock();
        GlobalFree(block);
    }
    SetDocumentModified(viewRecord);
    if (code != kErrNone)
        ReportEditError(code);
    return code;
}

void MarkObjectTextChanged(void* viewArg, int select)
{
    auto* viewRecord = static_cast<ViewRecord*>(viewArg);
    HWND editor = viewRecord ? GetViewTextEditor(viewRecord) : nullptr;
    if (!editor)
        return;
    HGLOBAL block = reinterpret_cast<HGLOBAL>(SendMessageA(editor, TENM_GETTEXTBLOCK, kTextBlockWholeText, 0));
    if (!block)
        return;
    const TextBlockHeader header = HeaderOf(block);
    GlobalFree(block);
    Session s = {GetParent(editor), viewRecord, GetViewDrawingHandle(viewRecord), nullptr, nullptr, nullptr};
    s.Lock();
    if (s.table && header.ownerObjectIndex >= 0 && header.ownerObjectIndex < TableCount(s.table)) {
        DrawingObject* object = ObjectAt(s.table, header.ownerObjectIndex);
        object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
        Invalidate(s, object);
        if (select == 1)
            Select(s, header.ownerObjectIndex);
    }
    s.Unlock();
}
