// Placing the chosen library symbol into a drawing: an automatic symbol as
// its own objects, any other one as a picture object.
#include "libraries/library_window.h"
#include "libraries/library_windows.h"

#include <cstring>

#include "documents/clipboard_store.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "documents/hidden_view.h"
#include "documents/temporary_store.h"
#include "libraries/symbol_records.h"
#include "libraries/symbol_rules.h"
#include "objects/document_modified.h"
#include "objects/document_palette.h"
#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "objects/resize_object.h"
#include "objects/shape_frames.h"
#include "objects/update_links.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "store/record_store.h"
#include "view/clipboard_paste.h"
#include "view/tool_palette.h"

namespace {

// A drawing record locked for a scope.
class LockedDrawing {
public:
    explicit LockedDrawing(HGLOBAL handle)
        : handle_(handle), drawing_(handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr)
    {
    }
    ~LockedDrawing()
    {
        if (drawing_)
            GlobalUnlock(handle_);
    }
    LockedDrawing(const LockedDrawing&) = delete;
    LockedDrawing& operator=(const LockedDrawing&) = delete;
    DrawingRecord* get() const { return drawing_; }

private:
    HGLOBAL handle_;
    DrawingRecord* drawing_;
};

int ObjectCount(HGLOBAL drawingHandle)
{
    LockedDrawing drawing(drawingHandle);
    if (!drawing.get())
        return 0;
    LockedTable objects(drawing.get(), kTableObjects);
    return objects.Count();
}

// The symbol's objects take the document's style before they are pasted.
ErrorCode RestyleScratchDrawing(void* scratchRecord, const DrawingRecord& document)
{
    LockedDrawing scratch(GetViewDrawingHandle(scratchRecord));
    if (!scratch.get())
        return kErrNoMemory;
    LockedTable objects(scratch.get(), kTableObjects);
    for (int i = 0; i < objects.Count(); ++i)
        RestyleSymbolObject(ObjectAt(objects.Get(), i), document);
    return SetDrawingTableDirty(scratch.get(), kTableObjects);
}

// One new object takes the rectangle; the members of one new group fit it
// together; loose objects keep the size they were stored with.
ErrorCode FitPlacedObjects(HWND view, HGLOBAL drawingHandle, int first, const RECT* rect)
{
    int count = 0;
    int group = -1;
    {
        LockedDrawing drawing(drawingHandle);
        if (!drawing.get())
            return kErrNoMemory;
        LockedTable objects(drawing.get(), kTableObjects);
        count = objects.Count() - first;
        group = count > 0 ? ObjectAt(objects.Get(), first)->groupIndex : -1;
        for (int i = first + 1; i < objects.Count() && group >= 0; ++i)
            if (ObjectAt(objects.Get(), i)->groupIndex != group)
                group = -1;
    }
    RECT target = *rect;
    if (count == 1)
        return ResizeObject(view, first, &target, 0, 0, 1);
    if (count > 1 && group >= 0)
        return SetGroupRect(view, group, &target, 0, 0, 1);
    return kErrNone;
}

// The symbol read into a drawing of its own store, then pasted at the
// rectangle's corner through the paste of copied objects. The clipboard
// scratch store stands aside meanwhile, so the user's next Paste still
// pastes what was copied.
ErrorCode PasteSymbolObjects(HWND view, void* viewRecord, RecordHandle objectsRecord, bool restyle,
                             const RECT* rect, HWND hidden, int store)
{
    ErrorCode code = CreateDocumentRecords(hidden, store);
    HGLOBAL hiddenHandle = code == kErrNone ? GetViewRecordHandle(hidden) : nullptr;
    auto* scratch = hiddenHandle ? static_cast<ViewRecord*>(GlobalLock(hiddenHandle)) : nullptr;
    if (code == kErrNone && !scratch)
        code = kErrNoMemory;
    if (code == kErrNone) {
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(objectsRecord));
        DWORD size = 0;
        if (bytes && QueryRecordSize(objectsRecord) >= kRecordHeaderBytes + sizeof(size))
            std::memcpy(&size, bytes + kRecordHeaderBytes, sizeof(size));
        if (bytes)
            GlobalUnlock(objectsRecord);
        code = ReadLibrarySymbol(HFILE_ERROR, nullptr, objectsRecord, size, scratch);
    }
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    if (code == kErrNone && restyle) {
        LockedDrawing document(drawingHandle);
        code = document.get() ? RestyleScratchDrawing(scratch, *document.get()) : kErrNoMemory;
    }
    if (code == kErrNone) {
        // The paste takes over the scratch drawing's fonts.
        HGLOBAL fontList = GetViewFontList(scratch);
        HGLOBAL fontTable = GetViewFontTable(scratch);
        SetViewFontList(scratch, nullptr);
        SetViewFontTable(scratch, nullptr);
        const int userScratch = ClipboardScratchStore;
        ClipboardScratchStore = store;
        const POINT corner = {rect->left, rect->top};
        code = PasteFromClipboardStore(view, viewRecord, drawingHandle, &corner, fontList, fontTable);
        ClipboardScratchStore = userScratch;
    }
    if (scratch)
        GlobalUnlock(hiddenHandle);
    return code;
}

ErrorCode InsertVexletIntoDrawing(int row, HWND view, void* viewRecord, const RECT* rect,
                                  RecordHandle objectsRecord, int index)
{
    const bool restyle = !(RowHeader(row)->items[index].optionFlags & kSymbolColorsFixed);
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    ErrorCode code = BeginDocumentUndo(view, kUndoStepAddObject);
    if (code == kErrNone) {
        LockedDrawing drawing(drawingHandle);
        code = drawing.get() ? MarkDrawingTablesChanged(drawingHandle, drawing.get()) : kErrNoMemory;
    }
    const int before = ObjectCount(drawingHandle);
    TemporaryStore temporary;
    if (code == kErrNone)
        code = OpenTemporaryStore(&temporary);
    HWND hidden = nullptr;
    if (code == kErrNone)
        code = CreateHiddenDrawingView(&hidden);
    if (code == kErrNone)
        code = PasteSymbolObjects(view, viewRecord, objectsRecord, restyle, rect, hidden, temporary.store);
    if (hidden)
        DestroyWindow(hidden);
    DiscardTemporaryStore(&temporary);
    if (code == kErrNone)
        code = FitPlacedObjects(view, drawingHandle, before, rect);
    if (code == kErrNone) {
        LockedDrawing drawing(drawingHandle);
        code = drawing.get() ? UpdateLinks(drawing.get()) : kErrNoMemory;
    }
    if (code == kErrNone)
        MarkDrawingEdited(view, viewRecord, 1);
    SetDocumentModified(viewRecord);
    return code;
}

// The new picture object takes the symbol's settings.
void ApplySymbolSettings(HWND view, DrawingRecord* drawing, DrawingObject* object, const VexletRecord& item)
{
    object->sizingConstraint = item.growMode;
    if (item.optionFlags & kSymbolColorsFixed)
        object->optionFlags |= kOptionFrameless;
    else
        object->optionFlags &= ~kOptionFrameless;
    object->textHolderWord = item.textPlacement;
    for (int side = 0; side < 4; ++side)
        object->textInsetFractions[side] = item.textMargins[side];
    if (!(item.optionFlags & kSymbolColorsFixed))
        AdaptSymbolColors(object, drawing->outlineWidth);
    DiscardError(RecalcShapeFrame(drawing, object, 1), "the shape keeps its old frame until the next change");
    InvalidateLogicalRect(view, &object->bounds);
    object->stateFlags |= kStateSymbolConnectPoints;
}

ErrorCode PlaceSymbolPicture(int row, HWND view, void* viewRecord, const RECT* rect, const VexletRecord& item)
{
    const int store = LibraryWindows[row].store;
    HGLOBAL block = nullptr;
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    COLORREF colors[kMaxPictureColors] = {};
    int scanFlags = 0;
    DWORD bytes = 0;
    ErrorCode code = LoadPicture(store, kLibraryPictureGroup, item.symbolId, item.furtherChunks + 1, &block, &bounds,
                                 &colorCount, colors, &scanFlags, &bytes);
    if (code != kErrNone)
        return code;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    LockedDrawing drawing(drawingHandle);
    if (!drawing.get()) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    const int before = ObjectCount(drawingHandle);
    const RECT size = {0, 0, rect->right - rect->left, rect->bottom - rect->top};
    code = CreatePictureObject(view, drawing.get(), kMetafilePictureGroup, block, bytes, POINT{rect->left, rect->top},
                               &size, &bounds, colorCount, colors, scanFlags);
    GlobalFree(block);
    if (code != kErrNone)
        return code;
    LockedTable objects(drawing.get(), kTableObjects);
    if (objects.Count() <= before)
        return kErrNone;
    DrawingObject* object = ObjectAt(objects.Get(), objects.Count() - 1);
    ApplySymbolSettings(view, drawing.get(), object, item);
    code = WriteChunkConnectPoints(TableStoreSlot(objects.Get()), kMetafilePictureGroup, object->dataFirstId, item);
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing.get(), kTableObjects);
    return code;
}

} // namespace

bool PlacingSymbolSize(SIZE* size)
{
    const int index = IsValidLibraryRow(SelectedLibraryRow) ? FindLibraryItem(SelectedLibraryRow, SelectedLibraryItem)
                                                             : -1;
    if (index < 0)
        return false;
    const VexletRecord& item = RowHeader(SelectedLibraryRow)->items[index];
    *size = SIZE{static_cast<uint16_t>(item.preferredWidth), static_cast<uint16_t>(item.preferredHeight)};
    return true;
}

void DeselectPlacingSymbol()
{
    SelectLibraryItem(-1, -1);
}

void SelectLibraryItem(int row, int id)
{
    const bool same = row == SelectedLibraryRow && id == SelectedLibraryItem;
    if (row < 0 || id < 0) {
        MarkLibraryItem(-1, -1);
        return;
    }
    if (!same)
        MarkLibraryItem(row, id);
    else
        DrawLibraryButtonState(row, id, true);
    SelectPaletteTool(kToolPlacingSymbol);
    if (!same && GetKeyState(VK_SHIFT) < 0)
        SetPaletteSticky(TRUE);
}

ErrorCode DropVexletOnDrawing(HWND view, const RECT* rect)
{
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (!viewRecord)
        return kErrNoMemory;
    const int row = SelectedLibraryRow;
    const int index = IsValidLibraryRow(row) ? FindLibraryItem(row, SelectedLibraryItem) : -1;
    ErrorCode code = index < 0 ? kErrNotDone : ErrorCode(kErrNone);
    if (code == kErrNone) {
        const VexletRecord item = RowHeader(row)->items[index];
        RecordHandle objects = nullptr;
        const bool automatic = (item.optionFlags & kSymbolAutomatic) &&
                               FindRecord(LibraryWindows[row].store, kLibraryObjectsGroup, item.symbolId, &objects) ==
                                   kErrNone;
        if (automatic) {
            code = InsertVexletIntoDrawing(row, view, viewRecord, rect, objects, index);
            ReleaseRecord(objects);
        } else {
            code = PlaceSymbolPicture(row, view, viewRecord, rect, item);
        }
    }
    // The document takes the new picture's colours.
    if (code == kErrNone)
        code = RealizeDocumentPalette(view, viewRecord);
    GlobalUnlock(viewHandle);
    return code;
}
