// Reading the top level of drawing and symbol streams into a stream image:
// the preview, the document block with its printer, colours and fonts, and
// the drawing block with its settings, ruler, links, groups and objects.
#include <algorithm>
#include <cstring>
#include <set>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"
#include "text/font_list.h"
#include "text/font_substitution.h"

namespace {

const int kMaxColors = 256;
const int kMaxGroupRows = kMaxObjects;
const uint32_t kDevModeLimit = 0x10000;
const WORD kDevModeMinimum = 68;   // up to the paper fields
const int kDefaultRulerDivisions = 12;
const uint16_t kTagGroupCloser = 0x4021;

HGLOBAL CopyBlock(HGLOBAL block)
{
    if (!block)
        return nullptr;
    const SIZE_T size = GlobalSize(block);
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    if (!copy)
        return nullptr;
    const void* from = GlobalLock(block);
    void* to = GlobalLock(copy);
    if (from && to)
        std::memcpy(to, from, size);
    if (to)
        GlobalUnlock(copy);
    if (from)
        GlobalUnlock(block);
    if (!from || !to) {
        GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

// ---- Document block ----

bool IsUsableDevMode(const PayloadReader& r)
{
    if (r.length() > kDevModeLimit || r.length() < kDevModeMinimum)
        return false;
    const uint32_t size = r.U16(offsetof(DEVMODEA, dmSize));
    const uint32_t extra = r.U16(offsetof(DEVMODEA, dmDriverExtra));
    return size >= kDevModeMinimum && size + extra <= r.length();
}

ErrorCode OnFontRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    if (tag != kTagFontRecord)
        return kErrNone;
    *recognised = true;
    auto* image = static_cast<StreamImage*>(context);
    const PayloadReader r(StreamPayload(), length);
    const int slot = r.I16(0);
    if (slot < 0 || slot >= FontTableCount(image->fontTable))
        return kErrNone;
    char face[LF_FACESIZE];
    r.Text(4, 64, face, sizeof(face));
    const int charSet = r.U16(2) & 0xFF;
    int index = -1;
    if (length >= kFontRecordSize) {
        LOGFONTA logFont = {};
        logFont.lfHeight = r.I16(68);
        logFont.lfWidth = r.I16(70);
        logFont.lfEscapement = r.I16(72);
        logFont.lfOrientation = r.I16(74);
        logFont.lfWeight = r.I16(76);
        logFont.lfItalic = r.U8(78);
        logFont.lfUnderline = r.U8(79);
        logFont.lfStrikeOut = r.U8(80);
        logFont.lfCharSet = static_cast<BYTE>(charSet);
        logFont.lfOutPrecision = r.U8(81);
        logFont.lfClipPrecision = r.U8(82);
        logFont.lfQuality = r.U8(83);
        logFont.lfPitchAndFamily = r.U8(84);
        lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
        index = FindOrAddFaceCharset(&image->fontList, face, charSet, &logFont);
        if (index < 0)
            index = FindOrAddFace(&image->fontList, face, &logFont);
    } else {
        index = FindOrAddFaceCharset(&image->fontList, face, charSet, nullptr);
        if (index < 0)
            index = FindOrAddFace(&image->fontList, face, nullptr);
    }
    if (index < 0)
        index = SubstituteFontFace(&image->fontList, face);
    if (auto* table = static_cast<int32_t*>(GlobalLock(image->fontTable))) {
        FontTableSlots(table)[slot] = index;
        GlobalUnlock(image->fontTable);
    }
    return kErrNone;
}

ErrorCode OnDocumentRecord(HFILE file, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* image = static_cast<StreamImage*>(context);
    DocumentImage& doc = image->document;
    const PayloadReader r(StreamPayload(), length);
    *recognised = true;
    switch (tag) {
    case kTagPageSetup:
        doc.hasPageSetup = true;
        doc.margins.left = ConvertStreamValue(r.I16(8));
        doc.margins.top = ConvertStreamValue(r.I16(10));
        doc.margins.right = ConvertStreamValue(r.I16(12));
        doc.margins.bottom = ConvertStreamValue(r.I16(14));
        doc.overlap = ConvertStreamValue(r.U16(28));
        return kErrNone;
    case kTagPrinterMode:
        // A DEVMODE whose own sizes pass its bytes would have the driver
        // read beyond them: such a record is ignored.
        if (IsUsableDevMode(r))
            doc.devMode.assign(r.Bytes(), r.Bytes() + length);
        return kErrNone;
    case kTagPrinterName:
        doc.hasPrinter = true;
        r.Text(0, length, doc.printer, kPrinterStringSize);
        return kErrNone;
    case kTagLibraryName:
        doc.hasLibrary = true;
        r.Text(0, length, doc.library, kPrinterStringSize);
        return kErrNone;
    case kTagColorList: {
        const uint32_t count = r.U16(0);
        if (!r.Has(2, 4 * count))
            return kErrStreamSignature;
        doc.hasColors = true;
        doc.colors.clear();
        for (uint32_t i = 0; i < count && i < static_cast<uint32_t>(kMaxColors); ++i)
            doc.colors.push_back(r.U32(2 + 4 * i));
        return kErrNone;
    }
    case kTagFontTableBlock:
        return ReadFontTableBlock(file, image);
    default:
        *recognised = false;
        return kErrNone;
    }
}

ErrorCode ReadDocumentBlock(HFILE file, StreamImage* image, uint32_t length)
{
    DocumentImage& doc = image->document;
    const PayloadReader r(StreamPayload(), length);
    doc.present = true;
    doc.flags = r.U16(0);
    // Scroll positions are positions of the view's scroll bars, not lengths.
    doc.scrollX = r.I16(2);
    doc.scrollY = r.I16(4);
    doc.zoom = r.I16(6);
    doc.viewFlags = r.U16(8);
    doc.background = r.U32(10);
    return ReadStreamBlock(file, CloserOf(kTagDocumentBlock), OnDocumentRecord, image);
}

// ---- Drawing block ----

void TakeDrawingOpener(const PayloadReader& r, DrawingRecord* d)
{
    d->selectedCount = 0;
    d->width = ConvertStreamValue(r.I16(6));
    d->height = ConvertStreamValue(r.I16(8));
    d->flags = r.U16(10);
    d->primarySelected = r.I16(12);
    d->duplicateDx = ConvertStreamValue(r.I16(16));
    d->duplicateDy = ConvertStreamValue(r.I16(18));
    COLORREF* colors[7] = {&d->style.borderColor, &d->style.lineColor,       &d->style.fillColor,
                           &d->style.textColor,   &d->style.shadowColor,     &d->style.backgroundColor,
                           &d->style.highlightColor};
    for (uint32_t i = 0; i < 7; ++i)
        *colors[i] = r.U32(20 + 4 * i);
    d->style.shadowDx = ConvertStreamValue(r.I16(48));
    d->style.shadowDy = ConvertStreamValue(r.I16(50));
    d->style.shadowKind = r.I16(52);
    d->style.flags = r.U16(54);
    r.Text(56, 32, d->style.name, sizeof(d->style.name));
    d->outlineWidth = ConvertStreamWidth(r.I16(88));
    d->lineWidth = ConvertStreamWidth(r.I16(90));
    d->textSize = r.I16(92);
    d->textStyle = static_cast<uint32_t>(r.I16(94));
    d->textAlignment = r.I16(96);
    d->textPlacement = r.I16(98);
    d->fillMode = r.I16(134);
    const bool full = r.length() >= kDrawingOpenerSize;
    std::memset(&d->textFont, 0, sizeof(d->textFont));
    if (!full) {
        r.Text(100, 32, d->textFont.lfFaceName, LF_FACESIZE);
        d->textFont.lfCharSet = static_cast<BYTE>(r.U16(132));
    }
    if (r.length() >= kDrawingOpenerArrowsSize) {
        d->startArrow = static_cast<int32_t>(NormaliseArrowWord(static_cast<uint16_t>(r.I16(136))));
        d->endArrow = static_cast<int32_t>(NormaliseArrowWord(static_cast<uint16_t>(r.I16(138))));
        d->arrowSize = std::min<int32_t>(r.I16(140), 2);
        d->snapDragFlag = r.I16(142);
    } else {
        d->startArrow = 0;
        d->endArrow = 0;
        d->arrowSize = 1;
        d->snapDragFlag = 0;
    }
    if (full) {
        LOGFONTA& f = d->textFont;
        f.lfHeight = r.I32(144);
        f.lfWidth = r.I32(148);
        f.lfEscapement = r.I32(152);
        f.lfOrientation = r.I32(156);
        f.lfWeight = r.I32(160);
        f.lfItalic = r.U8(164);
        f.lfUnderline = r.U8(165);
        f.lfStrikeOut = r.U8(166);
        f.lfCharSet = r.U8(167);
        f.lfOutPrecision = r.U8(168);
        f.lfClipPrecision = r.U8(169);
        f.lfQuality = r.U8(170);
        f.lfPitchAndFamily = r.U8(171);
        r.Text(172, 64, f.lfFaceName, LF_FACESIZE);
    }
}

void SetRulerDefaults(DrawingRecord* d)
{
    int32_t divisions = kDefaultRulerDivisions;
    if (AppOptions)
        std::memcpy(&divisions, AppOptions + kOptionsRulerScale + 16, sizeof(divisions));
    const int32_t shown = 1;
    const int32_t unit = 1;
    const double major = 100.0;
    const double label = 1.0;
    const int32_t labelUnit = 1;
    std::memcpy(d->rulerScale + 0, &shown, 4);
    std::memcpy(d->rulerScale + 4, &unit, 4);
    std::memcpy(d->rulerScale + 8, &major, 8);
    std::memcpy(d->rulerScale + 16, &divisions, 4);
    std::memcpy(d->rulerScale + 20, &label, 8);
    std::memcpy(d->rulerScale + 28, &labelUnit, 4);
}

void TakeRuler(const PayloadReader& r, DrawingRecord* d)
{
    const int32_t shown = r.I16(0);
    const int32_t unit = r.I16(2);
    const double major = r.F64(4);
    const int32_t divisions = r.I16(12);
    const double label = r.F64(14);
    const int32_t labelUnit = r.I16(22);
    std::memcpy(d->rulerScale + 0, &shown, 4);
    std::memcpy(d->rulerScale + 4, &unit, 4);
    std::memcpy(d->rulerScale + 8, &major, 8);
    std::memcpy(d->rulerScale + 16, &divisions, 4);
    std::memcpy(d->rulerScale + 20, &label, 8);
    std::memcpy(d->rulerScale + 28, &labelUnit, 4);
}

ErrorCode TakeLinkTable(const PayloadReader& r, DrawingImage* drawing)
{
    const uint32_t count = r.U16(0);
    if (!r.Has(4, kLinkRowSize * count))
        return kErrStreamSignature;
    drawing->links.clear();
    for (uint32_t i = 0; i < count && static_cast<int>(i) < drawing->statedLinks; ++i) {
        const uint32_t at = 4 + kLinkRowSize * i;
        LinkEntry row;
        row.targetId = r.U16(at);
        row.targetHint = r.I16(at + 2);
        row.sourceId = r.U16(at + 4);
        row.sourceHint = r.I16(at + 6);
        row.flags = r.U16(at + 8);
        // Sorted by target; rows of one target keep the order they were
        // written in, so that a drawing read and written again is the same.
        auto place = std::upper_bound(drawing->links.begin(), drawing->links.end(), row.targetId,
                                      [](int32_t target, const LinkEntry& e) { return target < e.targetId; });
        drawing->links.insert(place, row);
    }
    return kErrNone;
}

void TakeGroupOpener(const PayloadReader& r, DrawingImage* drawing)
{
    if (static_cast<int>(drawing->groups.size()) >= drawing->statedGroups)
        return;
    const int32_t key = r.U16(0);
    // Key 0 means "no group" to every member: it cannot head a row.
    if (key == 0) {
        drawing->currentGroupKey = 0;
        drawing->currentGroupRow = -1;
        return;
    }
    GroupEntry row = {};
    row.key = key;
    if (r.length() >= kGroupOpenerSize) {
        row.rotation = r.I16(2);
        row.frame = {ConvertStreamValue(r.I16(4)), ConvertStreamValue(r.I16(6)), ConvertStreamValue(r.I16(8)),
                     ConvertStreamValue(r.I16(10))};
        row.groupingFrame = {ConvertStreamValue(r.I16(12)), ConvertStreamValue(r.I16(14)),
                             ConvertStreamValue(r.I16(16)), ConvertStreamValue(r.I16(18))};
        row.scaleX = r.F64(22);
        row.scaleY = r.F64(30);
        row.word84 = r.I16(38);
    }
    row.flags = kGroupLinksChanged;
    row.memberCount = 0;
    row.word88 = -1;
    drawing->currentGroupKey = key;
    drawing->currentGroupRow = static_cast<int32_t>(drawing->groups.size());
    drawing->groups.push_back(row);
}

ErrorCode OnDrawingRecord(HFILE file, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* image = static_cast<StreamImage*>(context);
    DrawingImage& drawing = image->drawing;
    const PayloadReader r(StreamPayload(), length);
    *recognised = true;
    switch (tag) {
    case kTagLinkTable:
        return TakeLinkTable(r, &drawing);
    case kTagRuler:
        TakeRuler(r, &drawing.record);
        return kErrNone;
    case kTagCharFormat:
        DecodeDefaultCharFormat(r.Bytes(), length, &drawing.defaults.format);
        return kErrNone;
    case kTagParagraph:
        DecodeParagraphFormat(r.Bytes(), length, &drawing.defaults.paragraph);
        return kErrNone;
    case kTagGroupBlock:
        TakeGroupOpener(r, &drawing);
        return kErrNone;
    case kTagGroupCloser:
        drawing.currentGroupKey = 0;
        drawing.currentGroupRow = -1;
        return kErrNone;
    case kTagObjectBlock:
        return ReadObject(file, image, length);
    default:
        *recognised = false;
        return kErrNone;
    }
}

int32_t IndexOf(const DrawingImage& drawing, int32_t position)
{
    if (position < 0 || static_cast<size_t>(position) >= drawing.indexOfPosition.size())
        return -1;
    return drawing.indexOfPosition[static_cast<size_t>(position)];
}

// True when every id of the records group is used once.
bool AllDistinct(const std::vector<ObjectImage>& objects, int group)
{
    std::set<int32_t> seen;
    for (const ObjectImage& item : objects) {
        const DrawingObject& o = item.object;
        int32_t id = -1;
        if (group == kTextGroup && !item.text.empty())
            id = o.textRecordId;
        else if (group != kTextGroup && o.dataGroup == group && o.dataFirstId >= 0)
            id = o.dataFirstId;
        if (id >= 0 && !seen.insert(id).second)
            return false;
    }
    return true;
}

// Stream positions become table indexes; whatever names an object that was
// skipped or never there is dropped.
ErrorCode ResolveReferences(DrawingImage* drawing)
{
    for (int group : {kTextGroup, kConnectorRouteGroup, kFreeformGroup, kArrayBranchGroup}) {
        if (!AllDistinct(drawing->objects, group))
            return kErrStreamSignature;
    }
    const int n = static_cast<int>(drawing->objects.size());
    for (int i = 0; i < n; ++i) {
        ObjectImage& item = drawing->objects[static_cast<size_t>(i)];
        DrawingObject& o = item.object;
        o.objectId = i;
        if (o.labelPartnerId != kNoObjectId) {
            const int32_t host = IndexOf(*drawing, o.labelPartnerId);
            if (host < 0) {
                o.labelPartnerId = kNoObjectId;
                o.labelPartnerHint = -1;
                o.stateFlags &= ~kStateAttached;
            } else {
                o.labelPartnerId = host;
                o.labelPartnerHint = host;
            }
        }
        int kept = 0;
        for (int s = 0; s < o.linkCount && s < 2; ++s) {
            const int32_t target = IndexOf(*drawing, o.links[s].targetId);
            if (target < 0)
                continue;
            o.links[kept] = o.links[s];
            o.links[kept].targetId = target;
            o.links[kept].targetHint = target;
            ++kept;
        }
        for (int s = kept; s < 2; ++s)
            o.links[s] = LinkSlot{};
        o.linkCount = kept;
        if (!item.branches.empty()) {
            const size_t entries = (item.branches.size() - 24) / 28;
            for (size_t e = 0; e < entries; ++e) {
                uint8_t* attached = item.branches.data() + 24 + 28 * e + 16;
                const int32_t id = ReadLeI32(attached);
                if (id == kNoObjectId)
                    continue;
                const int32_t index = IndexOf(*drawing, id);
                WriteLeI32(attached, index < 0 ? kNoObjectId : index);
            }
        }
    }
    std::vector<LinkEntry> kept;
    for (LinkEntry row : drawing->links) {
        row.targetId = IndexOf(*drawing, row.targetId);
        row.sourceId = IndexOf(*drawing, row.sourceId);
        if (row.targetId < 0 || row.sourceId < 0)
            continue;
        row.targetHint = row.targetId;
        row.sourceHint = row.sourceId;
        kept.push_back(row);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const LinkEntry& a, const LinkEntry& b) { return a.targetId < b.targetId; });
    drawing->links.swap(kept);
    drawing->record.primarySelected = IndexOf(*drawing, drawing->record.primarySelected);
    drawing->record.lastObjectId = n;
    return kErrNone;
}

ErrorCode OnTopRecord(HFILE file, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* image = static_cast<StreamImage*>(context);
    *recognised = true;
    if (tag == kTagPreview && !image->symbol) {
        if (!image->hasPreview) {
            image->hasPreview = true;
            image->preview.assign(StreamPayload(), StreamPayload() + length);
        }
        return kErrNone;
    }
    if (tag == kTagDocumentBlock && !image->symbol && !image->document.present)
        return ReadDocumentBlock(file, image, length);
    if (tag == kTagFontTableBlock && image->symbol && !image->hasFontTable)
        return ReadFontTableBlock(file, image);
    // A second drawing block has no room in the tables of the first.
    if (tag == kTagDrawingBlock && !image->drawing.present)
        return ReadDrawingBlock(file, image, length);
    *recognised = false;
    return kErrNone;
}

} // namespace

ErrorCode BeginStreamImage(const ViewRecord* view, StreamImage* image)
{
    image->storeSlot = view->storeSlot;
    image->fontList = CopyBlock(GetViewFontList(view));
    image->fontTable = CopyBlock(GetViewFontTable(view));
    if (!image->fontList || !image->fontTable)
        return kErrNoMemory;
    HGLOBAL drawing = GetViewDrawingHandle(view);
    const void* record = drawing ? GlobalLock(drawing) : nullptr;
    if (!record)
        return kErrNoMemory;
    std::memcpy(&image->drawing.record, record, sizeof(DrawingRecord));
    GlobalUnlock(drawing);
    return kErrNone;
}

void FreeStreamImage(StreamImage* image)
{
    FreeFontList(image->fontList);
    if (image->fontTable)
        GlobalFree(image->fontTable);
    image->fontList = nullptr;
    image->fontTable = nullptr;
}

ErrorCode ReadFontTableBlock(HFILE file, StreamImage* image)
{
    const int count = PayloadReader(StreamPayload(), 2).I16(0);
    if (count < 0)
        return kErrStreamSignature;
    HGLOBAL grown = SeamGlobalReAlloc(image->fontTable, 4 + 4 * static_cast<SIZE_T>(count), GMEM_MOVEABLE);
    if (!grown)
        return kErrNoMemory;
    image->fontTable = grown;
    auto* table = static_cast<int32_t*>(GlobalLock(grown));
    if (!table)
        return kErrNoMemory;
    table[0] = count;
    for (int i = 0; i < count; ++i)
        FontTableSlots(table)[i] = kFreeFontSlot;
    GlobalUnlock(grown);
    image->hasFontTable = true;
    return ReadStreamBlock(file, CloserOf(kTagFontTableBlock), OnFontRecord, image);
}

ErrorCode ReadDrawingBlock(HFILE file, StreamImage* image, uint32_t openerLength)
{
    DrawingImage& drawing = image->drawing;
    const PayloadReader r(StreamPayload(), openerLength);
    drawing.present = true;
    drawing.statedObjects = r.U16(0);
    drawing.statedGroups = r.U16(2);
    drawing.statedLinks = r.U16(4);
    if (drawing.statedObjects > kMaxObjects || drawing.statedGroups > kMaxGroupRows ||
        drawing.statedLinks > kMaxLinks)
        return kErrStreamSignature;
    TakeDrawingOpener(r, &drawing.record);
    SetRulerDefaults(&drawing.record);
    drawing.currentGroupKey = 0;
    drawing.currentGroupRow = -1;
    InitStreamDefaults(drawing.record, &image->fontList, &image->fontTable, &drawing.defaults);
    ErrorCode code = ReadStreamBlock(file, CloserOf(kTagDrawingBlock), OnDrawingRecord, image);
    if (code != kErrNone)
        return code;
    return ResolveReferences(&drawing);
}

ErrorCode ReadDrawingStreamBody(HFILE file, StreamImage* image)
{
    image->symbol = false;
    return ReadStreamBlock(file, kStreamEndTag, OnTopRecord, image);
}

ErrorCode ReadSymbolStreamBody(HFILE file, StreamImage* image)
{
    image->symbol = true;
    return ReadStreamBlock(file, kStreamEndTag, OnTopRecord, image);
}
