// Reading one ObjectBlock into the stream image: the opener's geometry and
// state, then the attribute, text, route, outline, branch and picture records
// that hang off the object. References to other objects stay stream
// positions here; they are checked once the whole drawing block is read.
#include <algorithm>
#include <cstring>

#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"

namespace {

const int kMaxShapeType = 26;
const int kFreeformShapeType = 26;
const int32_t kDefaultLineWidth = 12;
const int32_t kDefaultMargin = 24;
const uint32_t kTextAlongLine = 0x20;
const uint32_t kOwnTextOption = 0x80;
const uint32_t kGuestTextFlags = 0x04 | 0x08 | 0x20;
const DWORD kRecordLimit = 65000;
const DWORD kRecordHeader = 16;
const DWORD kRouteRecordPayload = 112;
const DWORD kAttachmentMinimum = 287 - 16;
const uint32_t kMaxAttachmentName = 4096;

struct ObjectReadState {
    StreamImage* image;
    ObjectImage item;
    bool skipped = false;
    bool headerPending = false;
    bool textRead = false;
    int32_t textId = -1; // the text block's own id
    std::vector<uint8_t> header;
    int vertexLimit = 0;
    int verticesRead = 0;
    int branchRoom = 0;
    int branchesRead = 0;
};

RECT ReadRect(const PayloadReader& r, uint32_t offset)
{
    RECT rect;
    rect.left = ConvertStreamValue(r.I16(offset));
    rect.top = ConvertStreamValue(r.I16(offset + 2));
    rect.right = ConvertStreamValue(r.I16(offset + 4));
    rect.bottom = ConvertStreamValue(r.I16(offset + 6));
    return rect;
}

void InitReadObject(const DrawingRecord& drawing, DrawingObject* o)
{
    std::memset(o, 0, sizeof(*o));
    o->lineWidth = kDefaultLineWidth;
    o->lineStyle = 1;
    o->fillMode = 1;
    o->dataGroup = -1;
    o->dataFirstId = -1;
    o->textRecordId = -1;
    o->textAlignment = drawing.textAlignment;
    o->textPlacement = drawing.textPlacement;
    o->textMargins = {kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin};
    o->fillColor = drawing.style.fillColor;
    o->lineColor = drawing.style.borderColor;
    o->labelPartnerId = kNoObjectId;
    o->labelPartnerHint = -1;
    o->groupKey = 0;
    o->groupIndex = -1;
}

void TakeLinePen(DrawingObject* o, int32_t width, int32_t style, COLORREF color, uint32_t size, uint32_t start,
                 uint32_t end)
{
    o->lineWidth = width;
    o->lineStyle = style;
    o->lineColor = color;
    o->arrowSize = static_cast<int32_t>(std::min<uint32_t>(size, 2));
    o->startArrow = static_cast<int32_t>(NormaliseArrowWord(start));
    o->endArrow = static_cast<int32_t>(NormaliseArrowWord(end));
    o->arrowEnds = (o->startArrow ? 2 : 0) | (o->endArrow ? 1 : 0);
}

// Takes the opener and decides whether this reader knows the object.
bool TakeOpener(const PayloadReader& r, const StreamImage& image, DrawingObject* o)
{
    const StreamDefaults& d = image.drawing.defaults;
    InitReadObject(image.drawing.record, o);
    o->kind = r.U16(0);
    o->bounds = ReadRect(r, 2);
    o->frame = ReadRect(r, 10);
    o->inner = ReadRect(r, 18);
    o->textFrame = o->inner;
    o->shapeType = r.I16(26);
    o->stateFlags = r.U16(28);
    o->optionFlags = r.U16(30);
    if (OlderGeneration)
        o->optionFlags |= kOptionBoxHookPoints;
    o->kindCoordinate = ConvertStreamValue(r.I16(32));
    o->adjust = r.F64(34);
    o->sizingConstraint = r.I16(42);
    o->width = ConvertStreamValue(r.I16(44));
    o->height = ConvertStreamValue(r.I16(46));
    o->kindWord1 = r.U16(48);
    o->kindWord2 = r.U16(50);
    o->linkCapacity = r.I16(52);
    o->labelPartnerId = r.U16(54);
    o->labelPartnerHint = r.I16(56);
    o->objectId = r.U16(58);
    o->lineType = r.I16(60);
    o->referenceFrame = r.length() >= kObjectOpenerSize ? ReadRect(r, 62) : o->frame;
    o->groupingStateFlags = r.length() >= kObjectOpenerSize ? r.U16(70) : 0;
    o->groupKey = image.drawing.currentGroupKey;
    o->groupIndex = image.drawing.currentGroupRow;

    switch (o->kind) {
    case kKindShape:
        if (o->shapeType < 0 || o->shapeType > kMaxShapeType)
            return false;
        o->lineWidth = d.shapePenWidth;
        o->lineStyle = d.shapePenStyle;
        o->lineColor = d.shapePenColor;
        o->fillMode = d.fillMode;
        o->fillColor = d.fillColor;
        return true;
    case kKindLine:
    case kKindConnector:
        // Direction class 0..2 of a line, corner style 0 or 1 of a connector.
        if (o->shapeType < 0 || o->shapeType > (o->kind == kKindLine ? 2 : 1))
            return false;
        o->textRoleFlags = kTextAlongLine;
        TakeLinePen(o, d.linePenWidth, d.linePenStyle, d.linePenColor, static_cast<uint32_t>(d.arrowSize),
                    static_cast<uint32_t>(d.startArrow), static_cast<uint32_t>(d.endArrow));
        o->dataGroup = kConnectorRouteGroup;
        return true;
    case kKindArray:
        if (o->shapeType < 0 || o->shapeType > 2)
            return false;
        TakeLinePen(o, d.linePenWidth, d.linePenStyle, d.linePenColor, static_cast<uint32_t>(d.arrowSize),
                    static_cast<uint32_t>(d.startArrow), static_cast<uint32_t>(d.endArrow));
        o->dataGroup = kConnectorRouteGroup;
        return true;
    default:
        return false;
    }
}

void TakeTextFrame(const PayloadReader& r, DrawingObject* o)
{
    o->textFrame = ReadRect(r, 0);
    for (int i = 0; i < 4; ++i)
        o->textInsetFractions[i] = r.F64(8 + 8 * static_cast<uint32_t>(i));
    o->textInsets = ReadRect(r, 40);
    o->textMargins = ReadRect(r, 48);
    o->textRecordId = r.I16(56);
    o->textRoleFlags = r.U16(58);
    if (o->optionFlags & kOwnTextOption)
        o->textRoleFlags &= ~kGuestTextFlags;
    o->textHolderWord = ConvertStreamValue(r.I16(60));
    o->textPlacement = r.I16(62);
    o->textAlignment = r.I16(64);
    o->textBoxWord = r.I16(66);
    o->rotation = r.I16(68);
    o->groupingRotation = r.length() >= kTextFrameRecordSize ? r.I16(70) : 0;
}

ErrorCode TakeRoute(const PayloadReader& r, ObjectReadState* s)
{
    const int32_t id = r.I16(0);
    if (id < 0)
        return kErrStreamSignature;
    std::vector<uint8_t>& route = s->item.route;
    route.assign(kRouteRecordPayload, 0);
    WriteLeI32(&route[0], r.I16(2));
    WriteLeI32(&route[4], r.I16(4));
    WriteLeI32(&route[8], r.I16(6));
    for (uint32_t i = 0; i < 25; ++i)
        WriteLeI32(&route[12 + 4 * i], ConvertStreamValue(r.I16(8 + 2 * i)));
    s->item.object.dataGroup = kConnectorRouteGroup;
    s->item.object.dataFirstId = id;
    s->item.object.dataCount = 1;
    return kErrNone;
}

void TakeAttachment(const PayloadReader& r, ObjectReadState* s)
{
    // The name, then its type after the terminator ("$atype=" and a digit).
    const uint8_t* bytes = r.Bytes();
    uint32_t nameLength = 0;
    while (nameLength < r.length() && nameLength < kMaxAttachmentName && bytes[nameLength] != 0)
        ++nameLength;
    int type = 0;
    char typeText[16];
    r.Text(nameLength + 1, r.length(), typeText, sizeof(typeText));
    if (_strnicmp(typeText, "$atype=", 7) == 0 && typeText[7] >= '0' && typeText[7] <= '9')
        type = typeText[7] - '0';
    char tail[16];
    wsprintfA(tail, "$atype=%d", type);
    const size_t needed = nameLength + 1 + std::strlen(tail) + 1;
    std::vector<uint8_t>& record = s->item.attachment;
    record.assign(std::max<size_t>(needed, kAttachmentMinimum), 0);
    std::memcpy(record.data(), bytes, nameLength);
    std::memcpy(record.data() + nameLength + 1, tail, std::strlen(tail));
}

ErrorCode OnVertex(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* s = static_cast<ObjectReadState*>(context);
    if (tag != kTagVertex)
        return kErrNone;
    *recognised = true;
    if (s->verticesRead >= s->vertexLimit)
        return kErrNone;
    PayloadReader r(StreamPayload(), length);
    uint8_t* v = s->item.freeform.data() + 12 + 28 * static_cast<size_t>(s->verticesRead);
    WriteLeI32(v, r.I16(0));
    WriteLeI32(v + 4, r.I16(2));
    WriteLeI32(v + 8, r.I16(4));
    WriteLeI32(v + 12, r.I32(6));
    WriteLeI32(v + 16, r.I32(10));
    WriteLeI32(v + 20, ConvertStreamValue(r.I16(14)));
    WriteLeI32(v + 24, ConvertStreamValue(r.I16(16)));
    ++s->verticesRead;
    WriteLeI32(s->item.freeform.data(), s->verticesRead);
    return kErrNone;
}

ErrorCode TakeFreeform(HFILE file, const PayloadReader& r, ObjectReadState* s)
{
    const int32_t id = r.I16(0);
    const int32_t count = r.I16(2);
    const int64_t size = 28 + 28 * static_cast<int64_t>(count);
    if (id < 0 || count < 0 || size > static_cast<int64_t>(kRecordLimit))
        return kErrStreamSignature;
    s->item.freeform.assign(static_cast<size_t>(size - kRecordHeader), 0);
    WriteLeI32(s->item.freeform.data() + 4, ConvertStreamValue(r.I16(4)));
    WriteLeI32(s->item.freeform.data() + 8, ConvertStreamValue(r.I16(6)));
    s->vertexLimit = count;
    s->verticesRead = 0;
    s->item.object.dataGroup = kFreeformGroup;
    s->item.object.dataFirstId = id;
    s->item.object.dataCount = 1;
    return ReadStreamBlock(file, CloserOf(kTagFreeformBlock), OnVertex, s);
}

ErrorCode OnBranch(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* s = static_cast<ObjectReadState*>(context);
    if (tag != kTagBranch)
        return kErrNone;
    *recognised = true;
    if (s->branchesRead >= s->branchRoom)
        return kErrNone;
    PayloadReader r(StreamPayload(), length);
    uint8_t* e = s->item.branches.data() + 24 + 28 * static_cast<size_t>(s->branchesRead);
    for (uint32_t i = 0; i < 4; ++i)
        WriteLeI32(e + 4 * i, ConvertStreamValue(r.I16(2 * i)));
    WriteLeI32(e + 16, r.U16(8));
    WriteLeI32(e + 20, r.I16(10));
    WriteLeI32(e + 24, ConvertStreamValue(r.I16(12)));
    ++s->branchesRead;
    return kErrNone;
}

ErrorCode TakeBranches(HFILE file, const PayloadReader& r, ObjectReadState* s)
{
    const int32_t id = r.I16(0);
    const int32_t branches = r.I16(10);
    const int32_t entries = r.I16(12);
    const int64_t size = 40 + 28 * (static_cast<int64_t>(branches) + 3);
    if (id < 0 || branches < 0 || size > static_cast<int64_t>(kRecordLimit))
        return kErrStreamSignature;
    std::vector<uint8_t>& list = s->item.branches;
    list.assign(static_cast<size_t>(size - kRecordHeader), 0);
    WriteLeI32(&list[0], r.U16(2));
    WriteLeI32(&list[4], r.I16(4));
    WriteLeI32(&list[8], ConvertStreamValue(r.I16(6)));
    WriteLeI32(&list[12], ConvertStreamValue(r.I16(8)));
    WriteLeI32(&list[16], branches);
    WriteLeI32(&list[20], entries);
    s->branchRoom = std::min(std::max(entries, 3), branches + 3);
    s->branchesRead = 0;
    s->item.object.dataGroup = kArrayBranchGroup;
    s->item.object.dataFirstId = id;
    s->item.object.dataCount = 1;
    return ReadStreamBlock(file, CloserOf(kTagBranchBlock), OnBranch, s);
}

ErrorCode OnObjectRecord(HFILE file, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* s = static_cast<ObjectReadState*>(context);
    DrawingObject* o = &s->item.object;
    const PayloadReader r(StreamPayload(), length);
    *recognised = true;
    if (s->skipped) {
        // A skipped object's records are read and dropped, blocks whole.
        *recognised = false;
        return kErrNone;
    }
    switch (tag) {
    case kTagBrush:
        o->fillMode = r.I16(0);
        o->fillColor = r.U32(2);
        return kErrNone;
    case kTagPen:
        o->lineWidth = ConvertStreamWidth(r.I16(0));
        o->lineStyle = r.I16(2);
        o->lineColor = r.U32(4);
        return kErrNone;
    case kTagLinePen:
        TakeLinePen(o, ConvertStreamWidth(r.I16(0)), r.I16(2), r.U32(4), r.U16(8), r.U16(10), r.U16(12));
        return kErrNone;
    case kTagTextFrame:
        TakeTextFrame(r, o);
        return kErrNone;
    case kTagLinkSlot:
        if (o->linkCount < 2) {
            LinkSlot& slot = o->links[o->linkCount++];
            slot.targetId = r.U16(0);
            slot.targetHint = r.I16(2);
            slot.x = r.I16(4);
            slot.y = r.I16(6);
            slot.connectCode = r.I16(8);
        }
        return kErrNone;
    case kTagAttachmentName:
        TakeAttachment(r, s);
        return kErrNone;
    case kTagRoute:
        return TakeRoute(r, s);
    case kTagFreeformBlock:
        return TakeFreeform(file, r, s);
    case kTagBranchBlock:
        return TakeBranches(file, r, s);
    case kTagTextStreamBlock: {
        int32_t id = -1;
        ErrorCode code = ReadTextBlock(file, s->image->drawing.defaults, length, &id, &s->item.text);
        if (code != kErrNone)
            return code;
        s->textRead = true;
        s->textId = id;
        o->textRecordId = id;
        return kErrNone;
    }
    case kTagPictureHeader: {
        const uint32_t colors = r.U16(76);
        if (!r.Has(kPictureHeaderSize, 4 * std::min<uint32_t>(colors, 256)))
            return kErrStreamSignature;
        s->header.assign(kPictureHeaderHeld, 0);
        std::memcpy(s->header.data(), r.Bytes(), std::min<uint32_t>(length, kPictureHeaderHeld));
        s->headerPending = true;
        return kErrNone;
    }
    case kTagDibData:
    case kTagMetafileData:
        // Data without a header, or no data at all, makes no picture.
        if (s->headerPending && length > 0) {
            s->item.pictureGroup = tag == kTagDibData ? kBitmapPictureGroup : kMetafilePictureGroup;
            s->item.pictureHeader = s->header;
            s->item.picture.assign(r.Bytes(), r.Bytes() + length);
            s->headerPending = false;
        }
        return kErrNone;
    default:
        *recognised = false;
        return kErrNone;
    }
}

// Each record an object keeps is filed under an id: its text under the text
// block's own id, whatever later records claimed; its route, outline or
// branch list under the one data slot, which a picture takes over. A record
// left without an id is dropped rather than filed under -1.
void SettleObjectIds(ObjectReadState* s)
{
    ObjectImage& item = s->item;
    DrawingObject& o = item.object;
    o.textRecordId = s->textRead ? s->textId : -1;
    if (o.textRecordId < 0)
        item.text.clear();
    if (item.pictureGroup > 0) {
        o.dataGroup = item.pictureGroup;
        o.dataFirstId = -1;
        o.dataCount = 0;
    }
    const bool slotted = o.dataFirstId >= 0;
    if (!slotted || o.dataGroup != kConnectorRouteGroup)
        item.route.clear();
    if (!slotted || o.dataGroup != kFreeformGroup)
        item.freeform.clear();
    if (!slotted || o.dataGroup != kArrayBranchGroup)
        item.branches.clear();
}

} // namespace

ErrorCode ReadObject(HFILE file, StreamImage* image, uint32_t openerLength)
{
    DrawingImage& drawing = image->drawing;
    ObjectReadState state;
    state.image = image;
    const PayloadReader opener(StreamPayload(), openerLength);
    const int position = drawing.blocksSeen++;
    // Objects past the stated count have no room in the tables: stop there.
    const bool full = static_cast<int>(drawing.objects.size()) >= drawing.statedObjects;
    state.skipped = full || !TakeOpener(opener, *image, &state.item.object);
    ErrorCode code = ReadStreamBlock(file, CloserOf(kTagObjectBlock), OnObjectRecord, &state);
    if (code != kErrNone)
        return code;
    drawing.indexOfPosition.push_back(-1);
    if (state.skipped || state.headerPending)
        return kErrNone;
    SettleObjectIds(&state);
    DrawingObject& o = state.item.object;
    if (o.stateFlags & kStateSelected)
        ++drawing.record.selectedCount;
    drawing.indexOfPosition[static_cast<size_t>(position)] = static_cast<int32_t>(drawing.objects.size());
    drawing.objects.push_back(std::move(state.item));
    return kErrNone;
}
