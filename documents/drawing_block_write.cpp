// Writing the top level of drawing and symbol streams: the preview, the
// document block with page set-up, printer, library, fonts and colours, and
// the drawing block with its settings, ruler, links, groups and objects.
#include <algorithm>
#include <cstring>

#include "common/io_seam.h"
#include "documents/document_records.h"
#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/page_layout.h"
#include "documents/record_stream.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/object_links.h"
#include "store/record_store.h"
#include "text/font_list.h"

namespace {

const short kPreviewId = 107;
const DWORD kHeader = 16;
const int kMaxColors = 256;
const int32_t kMaxMappedId = 32767;

ErrorCode Put(HFILE file, uint16_t tag, const PayloadBuilder& b)
{
    return WriteStreamRecord(file, tag, b.size(), b.data());
}

ErrorCode Close(HFILE file, uint16_t opener)
{
    return WriteStreamRecord(file, CloserOf(opener), 0, nullptr);
}

// The payload of a record of group 100 handed to `use`; nothing when absent.
template <typename Use>
ErrorCode WithDocumentRecord(int store, short id, Use use)
{
    RecordHandle record = nullptr;
    if (FindRecord(store, kDocumentGroup, id, &record) != kErrNone)
        return kErrNone;
    const DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<const uint8_t*>(GlobalLock(record));
    ErrorCode code = kErrNoMemory;
    if (bytes) {
        code = size >= kHeader ? use(bytes + kHeader, size - kHeader) : kErrNone;
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return code;
}

ErrorCode WritePageSetup(HFILE file, const ViewRecord* view)
{
    HGLOBAL devMode = GetViewDevMode(view);
    int16_t paper = 0;
    if (devMode && GlobalSize(devMode) >= offsetof(DEVMODEA, dmPaperSize) + 2) {
        if (auto* mode = static_cast<const uint8_t*>(GlobalLock(devMode))) {
            paper = ReadLeI16(mode + offsetof(DEVMODEA, dmPaperSize));
            GlobalUnlock(devMode);
        }
    }
    PayloadBuilder b(kPageSetupSize);
    const int32_t words[15] = {view->drawingWidth,
                               view->drawingHeight,
                               view->pageWidth,
                               view->pageHeight,
                               view->margins.left,
                               view->margins.top,
                               view->margins.right,
                               view->margins.bottom,
                               view->deviceMargins.left,
                               view->deviceMargins.top,
                               view->deviceMargins.right,
                               view->deviceMargins.bottom,
                               DevModeOrientation(devMode) == DMORIENT_LANDSCAPE ? 1 : 0,
                               paper,
                               view->overlap};
    for (size_t i = 0; i < 15; ++i)
        b.I16At(2 * i, words[i]);
    return Put(file, kTagPageSetup, b);
}

ErrorCode WriteDevMode(HFILE file, const ViewRecord* view)
{
    HGLOBAL devMode = GetViewDevMode(view);
    if (!devMode)
        return kErrNone;
    const void* bytes = GlobalLock(devMode);
    if (!bytes)
        return kErrNoMemory;
    ErrorCode code = WriteStreamRecord(file, kTagPrinterMode, static_cast<uint32_t>(GlobalSize(devMode)), bytes);
    GlobalUnlock(devMode);
    return code;
}

ErrorCode WriteColorList(HFILE file, int store)
{
    return WithDocumentRecord(store, kColorListId, [&](const uint8_t* p, DWORD size) {
        const int room = size >= 4 ? static_cast<int>((size - 4) / 4) : 0;
        const int count = std::min({std::max(size >= 4 ? ReadLeI32(p) : 0, 0), room, kMaxColors});
        PayloadBuilder b;
        b.AppendU16(static_cast<uint16_t>(count));
        b.AppendBytes(p + 4, 4 * static_cast<size_t>(count));
        return Put(file, kTagColorList, b);
    });
}

HGLOBAL CopyOf(HGLOBAL block)
{
    if (!block)
        return nullptr;
    const SIZE_T size = GlobalSize(block);
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    const void* from = copy ? GlobalLock(block) : nullptr;
    void* to = from ? GlobalLock(copy) : nullptr;
    if (from && to)
        std::memcpy(to, from, size);
    if (to)
        GlobalUnlock(copy);
    if (from)
        GlobalUnlock(block);
    if (copy && (!from || !to)) {
        GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

void PutRect(PayloadBuilder* b, size_t offset, const RECT& r)
{
    b->I16At(offset, r.left);
    b->I16At(offset + 2, r.top);
    b->I16At(offset + 4, r.right);
    b->I16At(offset + 6, r.bottom);
}

PayloadBuilder DrawingOpener(const DrawingRecord& d, int objects, int groups, int links, int32_t primary)
{
    PayloadBuilder b(kDrawingOpenerSize);
    b.U16At(0, static_cast<uint16_t>(objects));
    b.U16At(2, static_cast<uint16_t>(groups));
    b.U16At(4, static_cast<uint16_t>(links));
    b.I16At(6, d.width);
    b.I16At(8, d.height);
    b.U16At(10, static_cast<uint16_t>(d.flags));
    b.I16At(12, primary);
    b.U16At(14, static_cast<uint16_t>(objects));
    b.I16At(16, d.duplicateDx);
    b.I16At(18, d.duplicateDy);
    const COLORREF colors[7] = {d.style.borderColor, d.style.lineColor,       d.style.fillColor,
                                d.style.textColor,   d.style.shadowColor,     d.style.backgroundColor,
                                d.style.highlightColor};
    for (size_t i = 0; i < 7; ++i)
        b.U32At(20 + 4 * i, colors[i]);
    b.I16At(48, d.style.shadowDx);
    b.I16At(50, d.style.shadowDy);
    b.I16At(52, d.style.shadowKind);
    b.U16At(54, static_cast<uint16_t>(d.style.flags));
    char name[sizeof(d.style.name) + 1] = {};
    std::memcpy(name, d.style.name, sizeof(d.style.name));
    b.TextAt(56, name, 32);
    b.I16At(88, d.outlineWidth);
    b.I16At(90, d.lineWidth);
    b.I16At(92, d.textSize);
    b.I16At(94, static_cast<int32_t>(d.textStyle));
    b.I16At(96, d.textAlignment);
    b.I16At(98, d.textPlacement);
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, d.textFont.lfFaceName, LF_FACESIZE);
    b.TextAt(100, face, 32);
    b.U16At(132, d.textFont.lfCharSet);
    b.I16At(134, d.fillMode);
    b.I16At(136, d.startArrow);
    b.I16At(138, d.endArrow);
    b.I16At(140, d.arrowSize);
    b.I16At(142, d.snapDragFlag);
    const LOGFONTA& f = d.textFont;
    const int32_t numbers[5] = {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight};
    for (size_t i = 0; i < 5; ++i)
        b.U32At(144 + 4 * i, static_cast<uint32_t>(numbers[i]));
    const BYTE bytes[8] = {f.lfItalic,       f.lfUnderline,
                           f.lfStrikeOut,    f.lfCharSet,
                           f.lfOutPrecision, f.lfClipPrecision,
                           f.lfQuality,      f.lfPitchAndFamily};
    for (size_t i = 0; i < 8; ++i)
        b.U8At(164 + i, bytes[i]);
    b.TextAt(172, face, 64);
    return b;
}

PayloadBuilder RulerRecord(const DrawingRecord& d)
{
    int32_t shown, unit, divisions, labelUnit;
    double major, label;
    std::memcpy(&shown, d.rulerScale, 4);
    std::memcpy(&unit, d.rulerScale + 4, 4);
    std::memcpy(&major, d.rulerScale + 8, 8);
    std::memcpy(&divisions, d.rulerScale + 16, 4);
    std::memcpy(&label, d.rulerScale + 20, 8);
    std::memcpy(&labelUnit, d.rulerScale + 28, 4);
    PayloadBuilder b(kRulerRecordSize);
    b.I16At(0, shown);
    b.I16At(2, unit);
    b.F64At(4, major);
    b.I16At(12, divisions);
    b.F64At(14, label);
    b.I16At(22, labelUnit);
    return b;
}

PayloadBuilder GroupOpener(const GroupEntry& g)
{
    PayloadBuilder b(kGroupOpenerSize);
    b.U16At(0, static_cast<uint16_t>(g.key));
    b.I16At(2, g.rotation);
    PutRect(&b, 4, g.frame);
    PutRect(&b, 12, g.groupingFrame);
    b.I16At(20, static_cast<int32_t>(g.flags));
    b.F64At(22, g.scaleX);
    b.F64At(30, g.scaleY);
    b.I16At(38, 0);
    return b;
}

// The draw order as written: every object once, entries out of range left
// out; and the id map, with -1 for every id no object of it holds.
void MapDrawOrder(void* objects, void* order, std::vector<int>* indexes, std::vector<int32_t>* positionOf,
                  std::vector<int32_t>* positionOfIndex)
{
    const int count = TableCount(objects);
    positionOfIndex->assign(static_cast<size_t>(std::max(count, 0)), -1);
    int32_t highest = 0;
    for (int i = 0; i < count; ++i)
        highest = std::max(highest, std::min(ObjectAt(objects, i)->objectId, kMaxMappedId));
    positionOf->assign(static_cast<size_t>(highest) + 1, -1);
    const int32_t* entries = DrawOrderEntries(order);
    for (int p = 0; p < TableCount(order); ++p) {
        const int index = entries[p];
        if (index < 0 || index >= count || (*positionOfIndex)[static_cast<size_t>(index)] >= 0)
            continue;
        const int32_t position = static_cast<int32_t>(indexes->size());
        (*positionOfIndex)[static_cast<size_t>(index)] = position;
        indexes->push_back(index);
        const int32_t id = ObjectAt(objects, index)->objectId;
        if (id >= 0 && id <= highest && id != kNoObjectId)
            (*positionOf)[static_cast<size_t>(id)] = position;
    }
}

std::vector<LinkEntry> LinksToWrite(void* links, const std::vector<int32_t>& positionOf)
{
    std::vector<LinkEntry> rows;
    for (int i = 0; i < TableCount(links); ++i) {
        LinkEntry row = *LinkEntryAt(links, i);
        row.targetId = PositionOfId(positionOf, row.targetId);
        row.sourceId = PositionOfId(positionOf, row.sourceId);
        // A row naming an object that is gone would link whatever object
        // ends up at its place: it is left out.
        if (row.targetId < 0 || row.sourceId < 0)
            continue;
        rows.push_back(row);
    }
    // Readers keep the rows sorted by target; written that way, the order
    // survives a read.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LinkEntry& a, const LinkEntry& b) { return a.targetId < b.targetId; });
    return rows;
}

ErrorCode WriteLinkTable(HFILE file, const std::vector<LinkEntry>& rows)
{
    PayloadBuilder b;
    b.AppendU16(static_cast<uint16_t>(rows.size()));
    b.AppendU16(kLinkRowSize);
    for (const LinkEntry& row : rows) {
        b.AppendU16(static_cast<uint16_t>(row.targetId));
        b.AppendI16(row.targetId);
        b.AppendU16(static_cast<uint16_t>(row.sourceId));
        b.AppendI16(row.sourceId);
        b.AppendU16(static_cast<uint16_t>(row.flags));
    }
    return Put(file, kTagLinkTable, b);
}

// How many group blocks the objects make in draw order: a group whose
// members are split by other objects gives a block per run, and the reader
// takes only as many blocks as the opener states.
int CountGroupBlocks(void* objects, void* groups, const std::vector<int>& indexes)
{
    int blocks = 0;
    int32_t currentKey = 0;
    for (int index : indexes) {
        const DrawingObject* o = ObjectAt(objects, index);
        if (o->groupKey == currentKey)
            continue;
        currentKey = o->groupKey;
        if (currentKey != 0 && FindGroupInTable(groups, currentKey, o->groupIndex, 0) >= 0)
            ++blocks;
    }
    return blocks;
}

struct WriteContext {
    HFILE file;
    ViewRecord* view;
    DrawingRecord* drawing;
    int symbol;
    StreamDefaults defaults;
};

ErrorCode WriteObjects(WriteContext* c, void* objects, const std::vector<int>& indexes,
                       const std::vector<int32_t>& positionOf)
{
    int32_t currentKey = 0;
    for (int index : indexes) {
        DrawingObject* o = ObjectAt(objects, index);
        // The host hint is refreshed in the document itself; a host that is
        // gone lets the object go free.
        if (o->labelPartnerId != kNoObjectId) {
            const int host = FindObjectIndex(objects, o->labelPartnerId, o->labelPartnerHint);
            if (host < 0) {
                o->labelPartnerId = kNoObjectId;
                o->stateFlags &= ~kStateAttached;
            } else {
                o->labelPartnerHint = host;
            }
        }
        ErrorCode code = kErrNone;
        if (o->groupKey != currentKey) {
            if (currentKey != 0)
                code = Close(c->file, kTagGroupBlock);
            currentKey = o->groupKey;
            if (code == kErrNone && currentKey != 0) {
                LockedTable groups(c->drawing, kTableGroups);
                const int row = groups.Get() ? FindGroupInTable(groups.Get(), currentKey, o->groupIndex, 0) : -1;
                if (row >= 0)
                    code = Put(c->file, kTagGroupBlock, GroupOpener(*GroupEntryAt(groups.Get(), row)));
            }
        }
        if (code == kErrNone)
            code = WriteObject(c->file, c->view->storeSlot, *o, positionOf, c->defaults);
        if (code != kErrNone)
            return code;
    }
    return currentKey != 0 ? Close(c->file, kTagGroupBlock) : kErrNone;
}

ErrorCode WriteDrawing(WriteContext* c)
{
    LockedTable objects(c->drawing, kTableObjects);
    LockedTable order(c->drawing, kTableDrawOrder);
    LockedTable links(c->drawing, kTableLinks);
    LockedTable groups(c->drawing, kTableGroups);
    if (!objects.Get() || !order.Get() || !links.Get() || !groups.Get())
        return kErrNoMemory;
    std::vector<int> indexes;
    std::vector<int32_t> positionOf;
    std::vector<int32_t> positionOfIndex;
    MapDrawOrder(objects.Get(), order.Get(), &indexes, &positionOf, &positionOfIndex);
    const std::vector<LinkEntry> rows = LinksToWrite(links.Get(), positionOf);
    const int32_t selected = c->drawing->primarySelected;
    const int32_t primary = selected >= 0 && selected < static_cast<int32_t>(positionOfIndex.size())
                                ? positionOfIndex[static_cast<size_t>(selected)]
                                : -1;
    ErrorCode code = Put(c->file, kTagDrawingBlock,
                         DrawingOpener(*c->drawing, static_cast<int>(indexes.size()),
                                       CountGroupBlocks(objects.Get(), groups.Get(), indexes),
                                       static_cast<int>(rows.size()), primary));
    if (code == kErrNone)
        code = Put(c->file, kTagRuler, RulerRecord(*c->drawing));
    if (code != kErrNone)
        return code;

    // The default face may need a slot: found in copies, the document's own
    // font table stays as it is.
    HGLOBAL fontList = CopyOf(GetViewFontList(c->view));
    HGLOBAL fontTable = CopyOf(GetViewFontTable(c->view));
    if (!fontList || !fontTable) {
        FreeFontList(fontList);
        if (fontTable)
            GlobalFree(fontTable);
        return kErrNoMemory;
    }
    InitStreamDefaults(*c->drawing, &fontList, &fontTable, &c->defaults);
    FreeFontList(fontList);
    GlobalFree(fontTable);

    if (!c->symbol)
        code = WriteLinkTable(c->file, rows);
    if (code == kErrNone)
        code = WriteObjects(c, objects.Get(), indexes, positionOf);
    if (code == kErrNone)
        code = Close(c->file, kTagDrawingBlock);
    return code;
}

} // namespace

ErrorCode WriteFontTableBlock(HFILE file, ViewRecord* view)
{
    HGLOBAL table = GetViewFontTable(view);
    HGLOBAL list = GetViewFontList(view);
    const int count = FontTableCount(table);
    PayloadBuilder opener(2);
    opener.I16At(0, count);
    ErrorCode code = Put(file, kTagFontTableBlock, opener);
    for (int slot = 0; code == kErrNone && slot < count; ++slot) {
        FontListEntry entry;
        const int index = FontTableSlotValue(table, slot);
        if (index < 0 || !GetFontListEntry(list, index, &entry))
            continue;
        const LOGFONTA& f = entry.logFont;
        char face[LF_FACESIZE + 1] = {};
        std::memcpy(face, f.lfFaceName, LF_FACESIZE);
        PayloadBuilder b(kFontRecordSize);
        b.I16At(0, slot);
        b.U16At(2, f.lfCharSet);
        b.TextAt(4, face, 64);
        const int32_t numbers[5] = {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight};
        for (size_t i = 0; i < 5; ++i)
            b.I16At(68 + 2 * i, numbers[i]);
        const BYTE bytes[7] = {f.lfItalic,        f.lfUnderline, f.lfStrikeOut,     f.lfOutPrecision,
                               f.lfClipPrecision, f.lfQuality,   f.lfPitchAndFamily};
        for (size_t i = 0; i < 7; ++i)
            b.U8At(78 + i, bytes[i]);
        code = Put(file, kTagFontRecord, b);
    }
    return code == kErrNone ? Close(file, kTagFontTableBlock) : code;
}

ErrorCode WriteDocumentHead(HFILE file, ViewRecord* view)
{
    const int store = view->storeSlot;
    ErrorCode code = WithDocumentRecord(store, kPreviewId, [&](const uint8_t* p, DWORD size) {
        return WriteStreamRecord(file, kTagPreview, size, p);
    });
    if (code != kErrNone)
        return code;
    PayloadBuilder opener(kDocumentOpenerSize);
    opener.U16At(0, static_cast<uint16_t>(view->flags));
    opener.I16At(2, view->scrollX);
    opener.I16At(4, view->scrollY);
    opener.I16At(6, view->zoom);
    opener.U16At(8, static_cast<uint16_t>(view->viewFlags));
    opener.U32At(10, static_cast<uint32_t>(view->containerBackground));
    code = Put(file, kTagDocumentBlock, opener);
    if (code == kErrNone)
        code = WritePageSetup(file, view);
    if (code == kErrNone) {
        PayloadBuilder printer;
        char name[kPrinterStringSize] = {};
        lstrcpynA(name, view->printer, kPrinterStringSize);
        printer.AppendBytes(name, std::strlen(name) + 1);
        code = Put(file, kTagPrinterName, printer);
    }
    if (code == kErrNone && view->libraryAtom) {
        char name[kPrinterStringSize] = {};
        if (GlobalGetAtomNameA(view->libraryAtom, name, sizeof(name)) > 0 && name[0]) {
            PayloadBuilder library;
            library.AppendBytes(name, std::strlen(name) + 1);
            code = Put(file, kTagLibraryName, library);
        }
    }
    if (code == kErrNone)
        code = WriteDevMode(file, view);
    if (code == kErrNone)
        code = WriteFontTableBlock(file, view);
    if (code == kErrNone)
        code = WriteColorList(file, store);
    if (code == kErrNone)
        code = Close(file, kTagDocumentBlock);
    return code;
}

ErrorCode WriteDrawingBlock(HFILE file, ViewRecord* view, int symbol)
{
    HGLOBAL handle = GetViewDrawingHandle(view);
    auto* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    WriteContext context{file, view, drawing, symbol, {}};
    ErrorCode code = WriteDrawing(&context);
    GlobalUnlock(handle);
    return code;
}
