#include "drawing_file_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/handle_words.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "objects/drawing_tables.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "store/record_store.h"
#include "stream_bytes.h"
#include "support/test_paths.h"
#include "text/font_list.h"
#include "text/object_text_layout.h"
#include "objects/view_record_word.h"

namespace {

int nextUntitled = 100;

const int kEntrySizes[4] = {kObjectEntrySize, 4, kLinkEntrySize, kGroupEntrySize};

} // namespace

DrawingDocument::DrawingDocument()
{
    HFILE lock = HFILE_ERROR;
    if (CreateWorkingStore(windows_.document(), ++nextUntitled, 0, 0, nullptr, &store_, &lock) != kErrNone)
        return;
    if (CreateDocumentRecords(windows_.view(), store_) != kErrNone)
        return;
    viewHandle_ = GetViewRecordHandle(windows_.view());
    view_ = viewHandle_ ? static_cast<ViewRecord*>(GlobalLock(viewHandle_)) : nullptr;
}

DrawingDocument::~DrawingDocument()
{
    if (view_)
        GlobalUnlock(viewHandle_);
    DestroyViewData(windows_.view());
    DestroyDocumentData(windows_.document());
}

DrawingRecord* DrawingDocument::Drawing()
{
    HGLOBAL handle = GetViewDrawingHandle(view_);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    // The record stays locked once more for the life of the document: the
    // store keeps it loaded as long as the view names it.
    GlobalUnlock(handle);
    return drawing;
}

int DrawingDocument::Count()
{
    LockedTable objects(Drawing(), kTableObjects);
    return objects.Count();
}

DrawingObject DrawingDocument::Object(int index)
{
    LockedTable objects(Drawing(), kTableObjects);
    return *ObjectAt(objects.Get(), index);
}

void DrawingDocument::SetObject(int index, const DrawingObject& object)
{
    LockedTable objects(Drawing(), kTableObjects);
    *ObjectAt(objects.Get(), index) = object;
}

std::vector<int32_t> DrawingDocument::Order()
{
    LockedTable order(Drawing(), kTableDrawOrder);
    const int32_t* entries = DrawOrderEntries(order.Get());
    return std::vector<int32_t>(entries, entries + order.Count());
}

std::vector<LinkEntry> DrawingDocument::Links()
{
    LockedTable links(Drawing(), kTableLinks);
    std::vector<LinkEntry> rows;
    for (int i = 0; i < links.Count(); ++i)
        rows.push_back(*LinkEntryAt(links.Get(), i));
    return rows;
}

std::vector<GroupEntry> DrawingDocument::Groups()
{
    LockedTable groups(Drawing(), kTableGroups);
    std::vector<GroupEntry> rows;
    for (int i = 0; i < groups.Count(); ++i)
        rows.push_back(*GroupEntryAt(groups.Get(), i));
    return rows;
}

void DrawingDocument::SetTable(int table, const void* rows, int count, int entrySize)
{
    const auto id = static_cast<DrawingTableId>(table);
    ASSERT_EQ(kErrNone, ResizeDrawingTable(Drawing(), id,
                                           static_cast<DWORD>(kTableHeadSize + entrySize * (count + 1))));
    LockedTable locked(Drawing(), id);
    ASSERT_NE(nullptr, locked.Get());
    if (count > 0)
        std::memcpy(static_cast<uint8_t*>(locked.Get()) + kTableHeadSize, rows,
                    static_cast<size_t>(entrySize) * static_cast<size_t>(count));
    static_cast<TableHead*>(locked.Get())->count = count;
    ASSERT_EQ(kErrNone, SetDrawingTableDirty(Drawing(), id));
}

void DrawingDocument::Append(const DrawingObject& object)
{
    std::vector<DrawingObject> all;
    for (int i = 0; i < Count(); ++i)
        all.push_back(Object(i));
    all.push_back(object);
    SetTable(kTableObjects, all.data(), static_cast<int>(all.size()), kEntrySizes[0]);
    if (object.stateFlags & kStateSelected)
        ++Drawing()->selectedCount;
}

void DrawingDocument::SetOrder(const std::vector<int32_t>& order)
{
    SetTable(kTableDrawOrder, order.data(), static_cast<int>(order.size()), 4);
}

void DrawingDocument::SetLinks(const std::vector<LinkEntry>& links)
{
    SetTable(kTableLinks, links.data(), static_cast<int>(links.size()), kLinkEntrySize);
}

void DrawingDocument::SetGroups(const std::vector<GroupEntry>& groups)
{
    SetTable(kTableGroups, groups.data(), static_cast<int>(groups.size()), kGroupEntrySize);
}

void DrawingDocument::PutRecord(short group, short id, const std::vector<uint8_t>& payload)
{
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, CreateRecord(store_, group, id, static_cast<DWORD>(payload.size() + 16), &record));
    auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
    std::memcpy(bytes + 16, payload.data(), payload.size());
    GlobalUnlock(record);
    ASSERT_EQ(kErrNone, SetRecordDirty(record));
    ReleaseRecord(record);
}

std::vector<uint8_t> DrawingDocument::RecordPayload(short group, short id)
{
    RecordHandle record = nullptr;
    if (FindRecord(store_, group, id, &record) != kErrNone)
        return {};
    const DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<const uint8_t*>(GlobalLock(record));
    std::vector<uint8_t> payload(bytes + 16, bytes + size);
    GlobalUnlock(record);
    ReleaseRecord(record);
    return payload;
}

int DrawingDocument::RecordCount(short group)
{
    int count = -1;
    if (CountGroupRecords(store_, group, &count) != kErrNone)
        return -1;
    return count;
}

std::vector<uint8_t> DrawingDocument::Write(ErrorCode* result)
{
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ErrorCode code = WriteDrawingFile(nullptr, &block, &size, view_);
    if (result)
        *result = code;
    if (code != kErrNone || !block)
        return {};
    std::vector<uint8_t> bytes = BlockBytes(block);
    GlobalFree(block);
    EXPECT_EQ(size, bytes.size());
    EXPECT_EQ(size, ReadLeU32(bytes.data()));
    return std::vector<uint8_t>(bytes.begin() + 4, bytes.end());
}

ErrorCode DrawingDocument::Read(const std::vector<uint8_t>& stream, int* older)
{
    HGLOBAL block = MakeMemoryStream(stream, stream.size() + 4);
    int flag = 0;
    ErrorCode code = ReadDrawingFile(HFILE_ERROR, nullptr, block, static_cast<DWORD>(stream.size() + 4),
                                     windows_.view(), view_, &flag, 0);
    GlobalFree(block);
    if (older)
        *older = flag;
    return code;
}

ErrorCode DrawingDocument::ReadFile(const std::string& path)
{
    int flag = 0;
    return ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, windows_.view(), view_, &flag, 0);
}

DrawingObject MakeObject(int kind, int type, RECT frame, int32_t id)
{
    DrawingObject o = {};
    o.kind = kind;
    o.frame = frame;
    o.bounds = {frame.left - 30, frame.top - 30, frame.right + 30, frame.bottom + 30};
    o.inner = {frame.left + 24, frame.top + 24, frame.right - 24, frame.bottom - 24};
    o.textFrame = o.inner;
    o.referenceFrame = frame;
    o.shapeType = type;
    o.objectId = id;
    o.lineWidth = 12;
    o.lineStyle = 1;
    o.fillMode = 1;
    o.textMargins = {24, 24, 24, 24};
    o.textRecordId = -1;
    o.dataGroup = -1;
    o.dataFirstId = -1;
    o.labelPartnerId = kNoObjectId;
    o.labelPartnerHint = -1;
    o.groupIndex = -1;
    o.width = frame.right - frame.left;
    o.height = frame.bottom - frame.top;
    o.kindWord1 = 4;
    o.kindWord2 = 2;
    o.textPlacement = 6;
    o.textAlignment = 6;
    return o;
}

TextFormat MakeFormat(int32_t start, int32_t size, int32_t face)
{
    TextFormat f = {};
    f.face = face;
    f.size = size;
    f.requestedSize = size;
    f.start = start;
    return f;
}

TextParagraph MakeParagraph()
{
    TextParagraph p = {};
    p.reserved = 120;
    p.tabInterval = 150;
    p.hyphenate = 1;
    return p;
}

std::vector<uint8_t> MakeTextBlock(const std::string& text, std::vector<TextFormat> formats,
                                   const std::vector<TextParagraph>& paragraphs)
{
    const int length = static_cast<int>(text.size());
    for (size_t i = 0; i < formats.size(); ++i)
        formats[i].length = (i + 1 < formats.size() ? formats[i + 1].start : length) - formats[i].start;
    TextBlockHeader head = {};
    head.formatCount = static_cast<int32_t>(formats.size());
    head.lineCount = 1;
    head.textLength = length;
    head.paragraphCount = static_cast<int32_t>(paragraphs.size());
    head.runCount = 1;
    head.wrapWidth = -1;
    head.marginLeft = 24;
    head.marginRight = 36;
    head.effect.kind = 2;
    head.effect.shadowDx = 12;
    head.effect.shadowDy = -12;
    head.effect.shadowColor = RGB(10, 20, 30);
    std::vector<uint8_t> block(static_cast<size_t>(TextBlockSize(head.formatCount, 1, head.paragraphCount, 1, length)));
    std::memcpy(block.data(), &head, sizeof(head));
    std::memcpy(block.data() + TextBlockFormatsOffset(head), formats.data(), sizeof(TextFormat) * formats.size());
    std::memcpy(block.data() + TextBlockParagraphsOffset(head), paragraphs.data(),
                sizeof(TextParagraph) * paragraphs.size());
    std::memcpy(block.data() + TextBlockTextOffset(head), text.data(), text.size());
    return block;
}

TextBlockHeader TextHeaderOf(const std::vector<uint8_t>& block)
{
    TextBlockHeader head = {};
    if (block.size() >= sizeof(head))
        std::memcpy(&head, block.data(), sizeof(head));
    return head;
}

std::vector<TextFormat> TextFormatsOf(const std::vector<uint8_t>& block)
{
    const TextBlockHeader head = TextHeaderOf(block);
    std::vector<TextFormat> formats(static_cast<size_t>(head.formatCount));
    if (!formats.empty())
        std::memcpy(formats.data(), block.data() + TextBlockFormatsOffset(head), sizeof(TextFormat) * formats.size());
    return formats;
}

std::vector<TextParagraph> TextParagraphsOf(const std::vector<uint8_t>& block)
{
    const TextBlockHeader head = TextHeaderOf(block);
    std::vector<TextParagraph> paragraphs(static_cast<size_t>(head.paragraphCount));
    if (!paragraphs.empty())
        std::memcpy(paragraphs.data(), block.data() + TextBlockParagraphsOffset(head),
                    sizeof(TextParagraph) * paragraphs.size());
    return paragraphs;
}

namespace {

std::vector<uint8_t> AttachmentPayload(const std::string& name, int type)
{
    std::vector<uint8_t> payload(271, 0);
    std::memcpy(payload.data(), name.data(), name.size());
    const std::string tail = "$atype=" + std::to_string(type);
    std::memcpy(payload.data() + name.size() + 1, tail.data(), tail.size());
    return payload;
}

std::vector<uint8_t> I32Payload(const std::vector<int32_t>& words)
{
    std::vector<uint8_t> payload(4 * words.size());
    for (size_t i = 0; i < words.size(); ++i)
        WriteLeI32(&payload[4 * i], words[i]);
    return payload;
}

void AddPicture(DrawingDocument* document, DrawingObject* o)
{
    std::vector<uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    const RECT bounds = {0, 0, 100, 80};
    const COLORREF colors[2] = {RGB(1, 2, 3), RGB(4, 5, 6)};
    int first = -1;
    int count = 0;
    ASSERT_EQ(kErrNone, SavePicture(document->store(), kBitmapPictureGroup, block, static_cast<DWORD>(bytes.size()),
                                    &bounds, &first, &count, 2, colors, 0));
    GlobalFree(block);
    RecordHandle chunk = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(document->store(), kBitmapPictureGroup, static_cast<short>(first), &chunk));
    auto* c = static_cast<uint8_t*>(GlobalLock(chunk));
    WriteLeI16(c + kChunkConnectCount, 2);
    const uint16_t points[4] = {10, 20, 30, 40};
    for (int i = 0; i < 4; ++i)
        WriteLeU16(c + kChunkConnectPoints + 2 * i, points[i]);
    GlobalUnlock(chunk);
    ASSERT_EQ(kErrNone, SetRecordDirty(chunk));
    ReleaseRecord(chunk);
    o->dataGroup = kBitmapPictureGroup;
    o->dataFirstId = first;
    o->dataCount = count;
}

} // namespace

void BuildEveryKindDrawing(DrawingDocument* document)
{
    // One font slot naming Arial, the drawing's default face.
    LOGFONTA arial = {};
    arial.lfHeight = -13;
    arial.lfWeight = 400;
    arial.lfCharSet = ANSI_CHARSET;
    lstrcpynA(arial.lfFaceName, "Arial", LF_FACESIZE);
    HGLOBAL list = GetViewFontList(document->view());
    const int index = FindOrAddFace(&list, "Arial", &arial);
    SetViewFontList(document->view(), list);
    HGLOBAL table = GetViewFontTable(document->view());
    if (auto* slots = static_cast<int32_t*>(GlobalLock(table))) {
        slots[0] = 1;
        slots[1] = index;
        GlobalUnlock(table);
    }

    DrawingRecord* drawing = document->Drawing();
    lstrcpynA(drawing->textFont.lfFaceName, "Arial", LF_FACESIZE);
    drawing->textFont.lfCharSet = ANSI_CHARSET;
    drawing->textFont.lfHeight = -13;
    drawing->textFont.lfWeight = 400;
    drawing->textSize = 10;
    drawing->outlineWidth = 12;
    drawing->lineWidth = 12;
    drawing->style.borderColor = RGB(0, 0, 0);
    drawing->style.lineColor = RGB(0, 0, 128);
    drawing->style.fillColor = RGB(255, 255, 255);
    drawing->style.textColor = RGB(0, 0, 0);
    const DrawingRecord d = *drawing;

    // 0: a rectangle drawn with every default.
    DrawingObject plain = MakeObject(kKindShape, 2, {600, 600, 1800, 1200}, 40);
    plain.lineWidth = d.outlineWidth;
    plain.lineColor = d.style.borderColor;
    plain.fillColor = d.style.fillColor;
    document->Append(plain);

    // 1: an oval with its own pen and brush, text and an attachment.
    DrawingObject styled = MakeObject(kKindShape, 1, {2400, 600, 4200, 1800}, 7);
    styled.lineWidth = 30;
    styled.lineStyle = 2;
    styled.lineColor = RGB(200, 0, 0);
    styled.fillMode = 2;
    styled.fillColor = RGB(0, 200, 0);
    styled.textRecordId = 5;
    ComputeTextFrame(&styled);
    TextFormat f0 = MakeFormat(0, 10);
    TextFormat f1 = MakeFormat(6, 12);
    f1.requestedSize = 10;
    f1.style = 1;
    TextFormat f2 = MakeFormat(12, 10);
    f2.paragraphIndex = 1;
    f2.color = RGB(0, 0, 255);
    TextParagraph p1 = MakeParagraph();
    p1.alignment = 6;
    p1.leftIndent = 120;
    document->PutRecord(kTextGroup, 5, MakeTextBlock("Hello world\rSecond line", {f0, f1, f2}, {MakeParagraph(), p1}));
    document->PutRecord(kAttachmentGroup, 7, AttachmentPayload("C:\\docs\\plan.txt", 2));
    document->Append(styled);

    // 2: a shape showing a picture.
    DrawingObject picture = MakeObject(kKindShape, 2, {600, 2400, 1800, 3600}, 12);
    picture.lineWidth = d.outlineWidth;
    picture.lineColor = d.style.borderColor;
    picture.fillColor = d.style.fillColor;
    AddPicture(document, &picture);
    document->Append(picture);

    // 3: a freeform outline.
    DrawingObject freeform = MakeObject(kKindShape, 26, {2400, 2400, 3600, 3000}, 3);
    freeform.dataGroup = kFreeformGroup;
    freeform.dataFirstId = 4;
    freeform.dataCount = 1;
    std::vector<int32_t> outline = {3, 1200, 600};
    const int32_t points[3][2] = {{0, 0}, {1200, 0}, {600, 600}};
    for (const auto& point : points) {
        const double parameter = 0.25;
        int32_t halves[2];
        std::memcpy(halves, &parameter, sizeof(halves));
        outline.insert(outline.end(), {1, 0, 0, halves[0], halves[1], point[0], point[1]});
    }
    document->PutRecord(kFreeformGroup, 4, I32Payload(outline));
    document->Append(freeform);

    // 4: a straight line with arrowheads, hooked to objects 0 and 1.
    DrawingObject line = MakeObject(kKindLine, 0, {1800, 900, 2400, 900}, 20);
    line.lineWidth = 18;
    line.lineColor = RGB(0, 0, 128);
    line.startArrow = 0x103;
    line.endArrow = 5;
    line.arrowSize = 1;
    line.arrowEnds = 3;
    line.textRoleFlags = 0x20;
    line.dataGroup = kConnectorRouteGroup;
    line.linkCount = 2;
    line.linkCapacity = 2;
    line.links[0] = {40, 0, 600, 300, 1};
    line.links[1] = {7, 1, 0, 300, 2};
    document->Append(line);

    // 5: a connector with its route, hooked to object 1.
    DrawingObject connector = MakeObject(kKindConnector, 1, {4200, 1200, 6000, 3000}, 21);
    connector.lineColor = RGB(0, 0, 128);
    connector.textRoleFlags = 0x20;
    connector.dataGroup = kConnectorRouteGroup;
    connector.dataFirstId = 2;
    connector.dataCount = 1;
    connector.linkCount = 1;
    connector.linkCapacity = 2;
    connector.links[0] = {7, 1, 600, 300, 1};
    std::vector<int32_t> route = {2, 3, 2, 4200, 1200, 5100, 1200, 5100, 1200, 5100, 3000};
    route.resize(3 + 20, 0);
    route.insert(route.end(), {900, 1800, 0, 0, 0});
    document->PutRecord(kConnectorRouteGroup, 2, I32Payload(route));
    document->Append(connector);

    // 6: an array with one branch hanging object 0.
    DrawingObject array = MakeObject(kKindArray, 0, {600, 4200, 4200, 4800}, 22);
    array.lineColor = RGB(0, 0, 128);
    array.dataGroup = kArrayBranchGroup;
    array.dataFirstId = 1;
    array.dataCount = 1;
    std::vector<int32_t> branches = {1, 90, 300, 150, 2, 1};
    branches.insert(branches.end(), {0, 0, 300, 0, 40, 0, 300});
    for (int e = 1; e < 5; ++e)
        branches.insert(branches.end(), {0, 0, 0, 0, kNoObjectId, 0, 0});
    document->PutRecord(kArrayBranchGroup, 1, I32Payload(branches));
    document->Append(array);

    // 7 and 8: a group of two rectangles.
    for (int i = 0; i < 2; ++i) {
        DrawingObject member = MakeObject(kKindShape, 2, {6600 + 900 * i, 600, 7200 + 900 * i, 1200}, 30 + i);
        member.lineWidth = d.outlineWidth;
        member.lineColor = d.style.borderColor;
        member.fillColor = d.style.fillColor;
        member.groupKey = 5;
        member.groupIndex = 0;
        document->Append(member);
    }
    // 9: a rectangle outside the group.
    DrawingObject loose = MakeObject(kKindShape, 2, {6600, 1800, 7200, 2400}, 33);
    loose.lineWidth = d.outlineWidth;
    loose.lineColor = d.style.borderColor;
    loose.fillColor = d.style.fillColor;
    document->Append(loose);

    GroupEntry group = {};
    group.key = 5;
    group.frame = {6600, 600, 8100, 1200};
    group.groupingFrame = group.frame;
    group.bounds = {6570, 570, 8130, 1230};
    group.memberCount = 2;
    group.scaleX = 1.0;
    group.scaleY = 1.0;
    group.word88 = -1;
    document->SetGroups({group});
    document->SetLinks({{7, 1, 20, 4, 0}, {7, 1, 21, 5, 0}, {40, 0, 20, 4, 0}});
    document->SetOrder({3, 0, 1, 2, 4, 5, 6, 7, 8, 9});
    drawing = document->Drawing();
    drawing->lastObjectId = 40;
    drawing->primarySelected = -1;
}

std::vector<StreamRecordAt> WalkStream(const std::vector<uint8_t>& stream)
{
    std::vector<StreamRecordAt> records;
    size_t at = 8;
    while (at + 2 <= stream.size()) {
        StreamRecordAt record = {at, ReadLeU16(&stream[at]), at + 2, 0};
        if (!(record.tag & 0x4000)) {
            if (at + 6 > stream.size())
                break;
            record.length = ReadLeU32(&stream[at + 2]);
            record.payload = at + 6;
        }
        records.push_back(record);
        at = record.payload + record.length;
    }
    return records;
}

std::vector<StreamRecordAt> ObjectRecords(const std::vector<uint8_t>& stream, int n)
{
    std::vector<StreamRecordAt> all = WalkStream(stream);
    std::vector<StreamRecordAt> found;
    int seen = -1;
    bool inside = false;
    for (const StreamRecordAt& record : all) {
        if (record.tag == 0x8022 && ++seen == n)
            inside = true;
        if (inside)
            found.push_back(record);
        if (inside && record.tag == 0x4022)
            break;
    }
    return found;
}

std::string WriteEveryKindFile(const char* leaf)
{
    std::string path = ScratchPath(leaf);
    DrawingDocument source;
    EXPECT_TRUE(source.ok());
    BuildEveryKindDrawing(&source);
    EXPECT_EQ(kErrNone, WriteDrawingFile(path.c_str(), nullptr, nullptr, source.view()));
    return path;
}
