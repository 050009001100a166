#include "ole/symbol_render.h"

#include "documents/drawing_stream.h"
#include "objects/drawing_tables.h"
#include "objects/view_record.h"
#include "ole/document_render.h"
#include "ole/drawing_render.h"

namespace {

struct SymbolParts {
    HGLOBAL picture;
    HGLOBAL stream;
    DWORD streamSize;
    RECT* frame;
    int* hint;
};

// One object gives its frame; the members of exactly one group give the group's.
void ReadFrameAndHint(DrawingRecord* drawing, RECT* frame, int* hint)
{
    LockedTable objects(drawing, kTableObjects);
    const int count = objects.Count();
    if (count == 1) {
        *frame = ObjectAt(objects.Get(), 0)->frame;
        *hint = ObjectAt(objects.Get(), 0)->sizingConstraint;
        return;
    }
    const int group = count > 0 ? ObjectAt(objects.Get(), 0)->groupIndex : -1;
    if (group < 0)
        return;
    for (int i = 1; i < count; ++i)
        if (ObjectAt(objects.Get(), i)->groupIndex != group)
            return;
    LockedTable groups(drawing, kTableGroups);
    if (group >= groups.Count())
        return;
    *frame = GroupEntryAt(groups.Get(), group)->frame;
    *hint = GroupEntryAt(groups.Get(), group)->sizingConstraint;
}

ErrorCode WriteSymbolStream(void* viewRecord, SymbolParts* parts)
{
    ErrorCode code = StoreScratchFontTable(viewRecord);
    if (code == kErrNone)
        code = WriteLibrarySymbol(nullptr, &parts->stream, &parts->streamSize, static_cast<ViewRecord*>(viewRecord));
    if (code == kErrNone && !parts->stream)
        code = kErrNotDone;
    return code;
}

ErrorCode RenderParts(HWND hidden, void* viewRecord, void* context)
{
    (void)hidden;
    auto* parts = static_cast<SymbolParts*>(context);
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    *parts->hint = kNoSymbolFrame;
    ReadFrameAndHint(drawing, parts->frame, parts->hint);
    GlobalUnlock(drawingHandle);
    parts->picture = MakePictureMetafilePict(drawingHandle, FALSE);
    if (parts->picture) {
        // One picture object: its own metafile is the symbol, nothing else.
        *parts->hint = 0;
        return kErrNone;
    }
    auto palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(viewRecord, kViewPalette)));
    parts->picture = MakeDrawingMetafilePict(drawingHandle, palette, FALSE, FALSE, TRUE);
    if (!parts->picture)
        return kErrNotDone;
    return WriteSymbolStream(viewRecord, parts);
}

void FreeMetafilePict(HGLOBAL block)
{
    auto* pict = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
    if (pict) {
        DeleteMetaFile(pict->hMF);
        GlobalUnlock(block);
    }
    if (block)
        GlobalFree(block);
}

} // namespace

ErrorCode RenderSelectionForSymbol(HGLOBAL* picture, HGLOBAL* stream, DWORD* streamSize, int fromClipboard,
                                   RECT* frame, int* hint)
{
    *picture = nullptr;
    *stream = nullptr;
    *streamSize = 0;
    *hint = kNoSymbolFrame;
    if (!fromClipboard)
        return kErrNotDone;
    SymbolParts parts = {nullptr, nullptr, 0, frame, hint};
    const ErrorCode code = WithScratchStoreView(RenderParts, &parts);
    if (code != kErrNone) {
        FreeMetafilePict(parts.picture);
        if (parts.stream)
            GlobalFree(parts.stream);
        return code;
    }
    *picture = parts.picture;
    *stream = parts.stream;
    *streamSize = parts.streamSize;
    return kErrNone;
}
