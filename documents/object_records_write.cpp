// Writing one object as an ObjectBlock: the opener with every object id as a
// draw-order position, then only the records that differ from the drawing's
// defaults or that carry the object's own data.
#include <algorithm>
#include <cstring>

#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"

namespace {

const int kFreeformShapeType = 26;
const DWORD kHeader = 16;

// A record of the store, locked for the length of a scope.
class HeldRecord {
public:
    HeldRecord(int store, int group, int32_t id)
    {
        if (id < 0 || id > 32767)
            return;
        code_ = FindRecord(store, static_cast<short>(group), static_cast<short>(id), &handle_);
        if (code_ != kErrNone) {
            handle_ = nullptr;
            return;
        }
        size_ = QueryRecordSize(handle_);
        bytes_ = static_cast<const uint8_t*>(GlobalLock(handle_));
    }
    ~HeldRecord()
    {
        if (bytes_)
            GlobalUnlock(handle_);
        if (handle_)
            ReleaseRecord(handle_);
    }
    HeldRecord(const HeldRecord&) = delete;
    HeldRecord& operator=(const HeldRecord&) = delete;
    ErrorCode code() const { return handle_ && !bytes_ ? kErrNoMemory : code_; }
    bool ok() const { return bytes_ != nullptr && size_ >= kHeader; }
    const uint8_t* payload() const { return bytes_ + kHeader; }
    DWORD payloadSize() const { return size_ - kHeader; }

private:
    RecordHandle handle_ = nullptr;
    const uint8_t* bytes_ = nullptr;
    DWORD size_ = 0;
    ErrorCode code_ = kErrStoreNotFoundCode;
    static constexpr ErrorCode kErrStoreNotFoundCode{1};
};

void RectAt(PayloadBuilder* b, size_t offset, const RECT& r)
{
    b->I16At(offset, r.left);
    b->I16At(offset + 2, r.top);
    b->I16At(offset + 4, r.right);
    b->I16At(offset + 6, r.bottom);
}

ErrorCode Put(HFILE file, uint16_t tag, const PayloadBuilder& b)
{
    return WriteStreamRecord(file, tag, b.size(), b.data());
}

ErrorCode WriteOpener(HFILE file, const DrawingObject& o, const std::vector<int32_t>& positionOf)
{
    PayloadBuilder b(kObjectOpenerSize);
    b.U16At(0, static_cast<uint16_t>(o.kind));
    RectAt(&b, 2, o.bounds);
    RectAt(&b, 10, o.frame);
    RectAt(&b, 18, o.inner);
    b.I16At(26, o.shapeType);
    b.U16At(28, static_cast<uint16_t>(o.stateFlags));
    b.U16At(30, static_cast<uint16_t>(o.optionFlags));
    b.I16At(32, o.kindCoordinate);
    b.F64At(34, o.adjust);
    b.I16At(42, o.sizingConstraint);
    b.I16At(44, o.width);
    b.I16At(46, o.height);
    b.U16At(48, static_cast<uint16_t>(o.kindWord1));
    b.U16At(50, static_cast<uint16_t>(o.kindWord2));
    b.I16At(52, o.linkCapacity);
    const int32_t host = PositionOfId(positionOf, o.labelPartnerId);
    b.U16At(54, static_cast<uint16_t>(host < 0 ? kNoObjectId : host));
    b.I16At(56, host < 0 ? o.labelPartnerHint : host);
    b.U16At(58, static_cast<uint16_t>(std::max(0, PositionOfId(positionOf, o.objectId))));
    b.I16At(60, o.lineType);
    RectAt(&b, 62, o.referenceFrame);
    b.I16At(70, static_cast<int32_t>(o.groupingStateFlags));
    return Put(file, kTagObjectBlock, b);
}

ErrorCode WriteLinkSlots(HFILE file, const DrawingObject& o, const std::vector<int32_t>& positionOf)
{
    const int used = std::min(std::max(o.linkCount, 0), 2);
    for (int s = 0; s < used; ++s) {
        // A slot on an object that is not in the drawing any more is left out.
        const int32_t target = PositionOfId(positionOf, o.links[s].targetId);
        if (target < 0)
            continue;
        PayloadBuilder b(kLinkSlotRecordSize);
        b.U16At(0, static_cast<uint16_t>(target));
        b.I16At(2, target);
        b.I16At(4, o.links[s].x);
        b.I16At(6, o.links[s].y);
        b.I16At(8, o.links[s].connectCode);
        ErrorCode code = Put(file, kTagLinkSlot, b);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}

ErrorCode WriteAttachment(HFILE file, int store, const DrawingObject& o)
{
    HeldRecord record(store, kAttachmentGroup, o.objectId);
    if (!record.ok())
        return kErrNone;
    const uint8_t* p = record.payload();
    const DWORD size = record.payloadSize();
    DWORD nameLength = 0;
    while (nameLength < size && p[nameLength] != 0)
        ++nameLength;
    int type = 0;
    const DWORD after = nameLength + 1;
    if (after + 8 <= size && _strnicmp(reinterpret_cast<const char*>(p + after), "$atype=", 7) == 0 &&
        p[after + 7] >= '0' && p[after + 7] <= '9')
        type = p[after + 7] - '0';
    char tail[16];
    const int tailLength = wsprintfA(tail, "$atype=%d", type);
    PayloadBuilder b;
    b.AppendBytes(p, nameLength);
    b.AppendBytes("", 1);
    b.AppendBytes(tail, static_cast<size_t>(tailLength));
    b.AppendBytes("\0\0", 2);
    return Put(file, kTagAttachmentName, b);
}

ErrorCode WriteShapePen(HFILE file, const DrawingObject& o, const StreamDefaults& d)
{
    ErrorCode code = kErrNone;
    if (static_cast<int16_t>(o.lineWidth) != static_cast<int16_t>(d.shapePenWidth) ||
        o.lineStyle != d.shapePenStyle || o.lineColor != d.shapePenColor) {
        PayloadBuilder b(kPenRecordSize);
        b.I16At(0, o.lineWidth);
        b.I16At(2, o.lineStyle);
        b.U32At(4, o.lineColor);
        code = Put(file, kTagPen, b);
    }
    if (code == kErrNone && (o.fillMode != d.fillMode || o.fillColor != d.fillColor)) {
        PayloadBuilder b(kBrushRecordSize);
        b.I16At(0, o.fillMode);
        b.U32At(2, o.fillColor);
        code = Put(file, kTagBrush, b);
    }
    return code;
}

ErrorCode WriteLinePen(HFILE file, const DrawingObject& o, const StreamDefaults& d)
{
    if (static_cast<int16_t>(o.lineWidth) == static_cast<int16_t>(d.linePenWidth) && o.lineStyle == d.linePenStyle &&
        o.lineColor == d.linePenColor && o.arrowSize == d.arrowSize && o.startArrow == d.startArrow &&
        o.endArrow == d.endArrow)
        return kErrNone;
    PayloadBuilder b(kLinePenRecordSize);
    b.I16At(0, o.lineWidth);
    b.I16At(2, o.lineStyle);
    b.U32At(4, o.lineColor);
    b.U16At(8, static_cast<uint16_t>(o.arrowSize));
    b.U16At(10, static_cast<uint16_t>(o.startArrow));
    b.U16At(12, static_cast<uint16_t>(o.endArrow));
    return Put(file, kTagLinePen, b);
}

ErrorCode WriteTextFrame(HFILE file, const DrawingObject& o)
{
    PayloadBuilder b(kTextFrameRecordSize);
    RectAt(&b, 0, o.textFrame);
    for (int i = 0; i < 4; ++i)
        b.F64At(8 + 8 * static_cast<size_t>(i), o.textInsetFractions[i]);
    RectAt(&b, 40, o.textInsets);
    RectAt(&b, 48, o.textMargins);
    b.I16At(56, o.textRecordId);
    b.U16At(58, static_cast<uint16_t>(o.textRoleFlags));
    b.I16At(60, o.textHolderWord);
    b.I16At(62, o.textPlacement);
    b.I16At(64, o.textAlignment);
    b.I16At(66, o.textBoxWord);
    b.I16At(68, o.rotation);
    b.I16At(70, o.groupingRotation);
    return Put(file, kTagTextFrame, b);
}

ErrorCode WriteText(HFILE file, int store, const DrawingObject& o, const StreamDefaults& d)
{
    if (o.textRecordId < 0)
        return kErrNone;
    HeldRecord record(store, kTextGroup, o.textRecordId);
    if (!record.ok())
        return record.code() != kErrNone ? record.code() : kErrNoMemory;
    return WriteTextBlock(file, record.payload(), record.payloadSize(), o.textRecordId, d);
}

ErrorCode WritePicture(HFILE file, int store, const DrawingObject& o)
{
    if (o.dataFirstId < 0 || o.dataCount == 0 ||
        (o.dataGroup != kBitmapPictureGroup && o.dataGroup != kMetafilePictureGroup))
        return kErrNone;
    HGLOBAL picture = nullptr;
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    COLORREF colors[kMaxPictureColors] = {};
    int scanFlags = 0;
    DWORD bytes = 0;
    ErrorCode code = LoadPicture(store, o.dataGroup, o.dataFirstId, o.dataCount, &picture, &bounds, &colorCount,
                                 colors, &scanFlags, &bytes);
    if (code != kErrNone)
        return code;
    PayloadBuilder b(kPictureHeaderSize);
    RectAt(&b, 0, bounds);
    {
        HeldRecord chunk(store, o.dataGroup, o.dataFirstId);
        if (chunk.ok() && chunk.payloadSize() + kHeader >= static_cast<DWORD>(kChunkScanFlags)) {
            const uint8_t* c = chunk.payload() - kHeader;
            const int points = std::min<int>(std::max<int>(ReadLeI16(c + kChunkConnectCount), 0), kMaxConnectPoints);
            b.I16At(8, points);
            for (int i = 0; i < points; ++i) {
                b.U16At(10 + 4 * static_cast<size_t>(i), ReadLeU16(c + kChunkConnectPoints + 4 * i));
                b.U16At(12 + 4 * static_cast<size_t>(i), ReadLeU16(c + kChunkConnectPoints + 4 * i + 2));
            }
        }
    }
    colorCount = std::min(std::max(colorCount, 0), kMaxPictureColors);
    b.U16At(74, static_cast<uint16_t>(scanFlags));
    b.I16At(76, colorCount);
    for (int i = 0; i < colorCount; ++i)
        b.AppendU32(colors[i]);
    code = Put(file, kTagPictureHeader, b);
    if (code == kErrNone) {
        const void* data = GlobalLock(picture);
        const DWORD available = static_cast<DWORD>(GlobalSize(picture));
        if (!data)
            code = kErrNoMemory;
        else
            code = WriteStreamRecord(file, o.dataGroup == kBitmapPictureGroup ? kTagDibData : kTagMetafileData,
                                     std::min(bytes, available), data);
        if (data)
            GlobalUnlock(picture);
    }
    GlobalFree(picture);
    return code;
}

ErrorCode WriteFreeform(HFILE file, int store, const DrawingObject& o)
{
    if (o.shapeType != kFreeformShapeType || o.dataGroup != kFreeformGroup)
        return kErrNone;
    HeldRecord record(store, kFreeformGroup, o.dataFirstId);
    if (!record.ok() || record.payloadSize() < 12)
        return kErrNone;
    const uint8_t* p = record.payload();
    const int room = static_cast<int>((record.payloadSize() - 12) / 28);
    const int count = std::min(std::max(ReadLeI32(p), 0), room);
    PayloadBuilder opener(kFreeformOpenerSize);
    opener.I16At(0, o.dataFirstId);
    opener.I16At(2, count);
    opener.I16At(4, ReadLeI32(p + 4));
    opener.I16At(6, ReadLeI32(p + 8));
    ErrorCode code = Put(file, kTagFreeformBlock, opener);
    for (int i = 0; code == kErrNone && i < count; ++i) {
        const uint8_t* v = p + 12 + 28 * i;
        PayloadBuilder b(kVertexRecordSize);
        b.I16At(0, ReadLeI32(v));
        b.I16At(2, ReadLeI32(v + 4));
        b.I16At(4, ReadLeI32(v + 8));
        b.U32At(6, ReadLeU32(v + 12));
        b.U32At(10, ReadLeU32(v + 16));
        b.I16At(14, ReadLeI32(v + 20));
        b.I16At(16, ReadLeI32(v + 24));
        code = Put(file, kTagVertex, b);
    }
    if (code == kErrNone)
        code = WriteStreamRecord(file, CloserOf(kTagFreeformBlock), 0, nullptr);
    return code;
}

ErrorCode WriteRoute(HFILE file, int store, const DrawingObject& o)
{
    if (o.dataGroup != kConnectorRouteGroup)
        return kErrNone;
    HeldRecord record(store, kConnectorRouteGroup, o.dataFirstId);
    if (!record.ok() || record.payloadSize() < 112)
        return kErrNone;
    const uint8_t* p = record.payload();
    PayloadBuilder b(kRouteRecordSize);
    b.I16At(0, o.dataFirstId);
    for (size_t i = 0; i < 28; ++i)
        b.I16At(2 + 2 * i, ReadLeI32(p + 4 * i));
    return Put(file, kTagRoute, b);
}

ErrorCode WriteBranches(HFILE file, int store, const DrawingObject& o, const std::vector<int32_t>& positionOf)
{
    if (o.dataGroup != kArrayBranchGroup)
        return kErrNone;
    HeldRecord record(store, kArrayBranchGroup, o.dataFirstId);
    if (!record.ok() || record.payloadSize() < 24)
        return kErrNone;
    const uint8_t* p = record.payload();
    const int entryCount = ReadLeI32(p + 20);
    const int room = static_cast<int>((record.payloadSize() - 24) / 28);
    const int written = std::min(std::max(entryCount, 3), room);
    PayloadBuilder opener(kBranchOpenerSize);
    opener.I16At(0, o.dataFirstId);
    opener.U16At(2, static_cast<uint16_t>(ReadLeI32(p)));
    for (size_t i = 1; i < 6; ++i)
        opener.I16At(2 + 2 * i, ReadLeI32(p + 4 * i));
    ErrorCode code = Put(file, kTagBranchBlock, opener);
    for (int e = 0; code == kErrNone && e < written; ++e) {
        const uint8_t* entry = p + 24 + 28 * e;
        PayloadBuilder b(kBranchRecordSize);
        for (size_t i = 0; i < 4; ++i)
            b.I16At(2 * i, ReadLeI32(entry + 4 * i));
        const int32_t attached = PositionOfId(positionOf, ReadLeI32(entry + 16));
        b.U16At(8, static_cast<uint16_t>(attached < 0 ? kNoObjectId : attached));
        b.I16At(10, ReadLeI32(entry + 20));
        b.I16At(12, ReadLeI32(entry + 24));
        code = Put(file, kTagBranch, b);
    }
    if (code == kErrNone)
        code = WriteStreamRecord(file, CloserOf(kTagBranchBlock), 0, nullptr);
    return code;
}

} // namespace

ErrorCode WriteObject(HFILE file, int store, const DrawingObject& o, const std::vector<int32_t>& positionOf,
                      const StreamDefaults& d)
{
    ErrorCode code = WriteOpener(file, o, positionOf);
    if (code == kErrNone)
        code = WriteLinkSlots(file, o, positionOf);
    if (code == kErrNone)
        code = WriteAttachment(file, store, o);
    if (code != kErrNone)
        return code;
    switch (o.kind) {
    case kKindShape:
        code = WriteShapePen(file, o, d);
        if (code == kErrNone)
            code = WriteTextFrame(file, o);
        if (code == kErrNone)
            code = WriteText(file, store, o, d);
        if (code == kErrNone && o.dataGroup != kFreeformGroup)
            code = WritePicture(file, store, o);
        if (code == kErrNone)
            code = WriteFreeform(file, store, o);
        break;
    case kKindLine:
        code = WriteLinePen(file, o, d);
        if (code == kErrNone)
            code = WriteTextFrame(file, o);
        break;
    case kKindConnector:
        code = WriteLinePen(file, o, d);
        if (code == kErrNone)
            code = WriteRoute(file, store, o);
        if (code == kErrNone)
            code = WriteTextFrame(file, o);
        break;
    case kKindArray:
        code = WriteLinePen(file, o, d);
        if (code == kErrNone)
            code = WriteBranches(file, store, o, positionOf);
        break;
    default:
        break;
    }
    if (code == kErrNone)
        code = WriteStreamRecord(file, CloserOf(kTagObjectBlock), 0, nullptr);
    return code;
}
