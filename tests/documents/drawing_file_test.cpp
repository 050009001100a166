#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/handle_words.h"
#include "documents/drawing_stream.h"
#include "documents/drawing_stream_tags.h"
#include "documents/stream_errors.h"
#include "drawing_file_support.h"
#include "objects/drawing_tables.h"
#include "store/record_store.h"
#include "stream_bytes.h"
#include "support/test_paths.h"

namespace {

std::vector<uint16_t> TagsOf(const std::vector<StreamRecordAt>& records)
{
    std::vector<uint16_t> tags;
    for (const StreamRecordAt& record : records)
        tags.push_back(record.tag);
    return tags;
}

std::vector<uint8_t> Bytes(const PayloadBuilder& b) { return b.bytes(); }

// A drawing stream of one drawing block holding the given records.
std::vector<uint8_t> DrawingStream(int objects, const std::vector<std::vector<uint8_t>>& records,
                                   const int16_t (&header)[6] = {2, 300, 1, 2, 100, 600}, int links = 0)
{
    PayloadBuilder opener(kDrawingOpenerSize);
    opener.U16At(0, static_cast<uint16_t>(objects));
    opener.U16At(4, static_cast<uint16_t>(links));
    opener.I16At(6, 30000);
    opener.I16At(8, 30000);
    opener.I16At(12, -1);
    opener.I16At(88, 12);
    opener.I16At(90, 12);
    opener.I16At(92, 10);
    opener.TextAt(172, "Arial", 64);
    StreamBytes stream;
    stream.Start("QUORVELX", header).Record(kTagDrawingBlock, Bytes(opener));
    std::vector<uint8_t> bytes = stream.bytes();
    for (const std::vector<uint8_t>& record : records)
        bytes.insert(bytes.end(), record.begin(), record.end());
    StreamBytes tail;
    tail.Tag(0x4020).Tag(0x4001);
    bytes.insert(bytes.end(), tail.bytes().begin(), tail.bytes().end());
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> Record(uint16_t tag, const std::vector<uint8_t>& payload)
{
    return StreamBytes().Record(tag, payload).bytes();
}

std::vector<uint8_t> Closer(uint16_t tag) { return StreamBytes().Tag(tag).bytes(); }

std::vector<uint8_t> ShapeOpener(int type, uint16_t position)
{
    PayloadBuilder b(kObjectOpenerSize);
    b.I16At(10, 600);
    b.I16At(12, 600);
    b.I16At(14, 1200);
    b.I16At(16, 1200);
    b.I16At(26, type);
    b.U16At(54, 0xFFFF);
    b.I16At(56, -1);
    b.U16At(58, position);
    return Record(kTagObjectBlock, b.bytes());
}

// A shape with a text block of the given records.
std::vector<std::vector<uint8_t>> TextShape(uint16_t formats, uint16_t paragraphs, uint16_t textBytes,
                                            const std::vector<std::vector<uint8_t>>& inside)
{
    PayloadBuilder frame(kTextFrameRecordSize);
    frame.I16At(56, 9);
    PayloadBuilder opener(kTextOpenerSize);
    opener.U16At(0, 9);
    opener.U16At(2, formats);
    opener.U16At(4, paragraphs);
    opener.U16At(6, textBytes);
    std::vector<std::vector<uint8_t>> records = {ShapeOpener(2, 0), Record(kTagTextFrame, frame.bytes()),
                                                 Record(kTagTextStreamBlock, opener.bytes())};
    records.insert(records.end(), inside.begin(), inside.end());
    records.push_back(Closer(0x4040));
    records.push_back(Closer(0x4022));
    return records;
}

std::vector<uint8_t> FormatRecord(const std::vector<std::pair<uint32_t, std::vector<std::pair<uint16_t, int32_t>>>>& entries,
                                  int statedEntries = -1)
{
    PayloadBuilder b;
    b.AppendU16(static_cast<uint16_t>(statedEntries < 0 ? entries.size() : static_cast<size_t>(statedEntries)));
    for (const auto& entry : entries) {
        b.AppendU16(static_cast<uint16_t>(entry.second.size()));
        b.AppendU32(entry.first);
        for (const auto& change : entry.second) {
            b.AppendU16(change.first);
            b.AppendU32(static_cast<uint32_t>(change.second));
        }
    }
    return Record(kTagCharFormat, b.bytes());
}

std::vector<uint8_t> ParagraphRecord(uint16_t index, const std::vector<std::pair<uint16_t, int16_t>>& changes)
{
    PayloadBuilder b;
    b.AppendU16(index);
    b.AppendU16(static_cast<uint16_t>(changes.size()));
    for (const auto& change : changes) {
        b.AppendU16(change.first);
        b.AppendI16(change.second);
    }
    return Record(kTagParagraph, b.bytes());
}

std::vector<uint8_t> TextBytes(const std::string& text)
{
    return Record(kTagTextBytes, std::vector<uint8_t>(text.begin(), text.end()));
}

class DrawingFiles : public testing::Test {
protected:
    void TearDown() override {}
};

} // namespace

TEST_F(DrawingFiles, EveryKindRoundTripsToTheSameBytes)
{
    DrawingDocument source;
    ASSERT_TRUE(source.ok());
    BuildEveryKindDrawing(&source);
    ErrorCode code = kErrNone;
    const std::vector<uint8_t> first = source.Write(&code);
    ASSERT_EQ(kErrNone, code);

    DrawingDocument copy;
    ASSERT_EQ(kErrNone, copy.Read(first));
    const std::vector<uint8_t> second = copy.Write(&code);
    ASSERT_EQ(kErrNone, code);
    EXPECT_EQ(first.size(), second.size());
    EXPECT_TRUE(first == second) << "the stream changed on its way through a document";

    // Every record kind is there.
    const std::vector<uint16_t> tags = TagsOf(WalkStream(first));
    for (uint16_t tag : {0x8002, 3, 4, 5, 8, 0x8006, 7, 0x8020, 0x801, 0x29, 0x8021, 0x8022, 0x23, 0x24, 0x25, 0x26,
                         0x27, 0x28, 0x30, 0x8031, 0x32, 0x8033, 0x34, 0x47, 0x48, 0x8040, 0x41, 0x42, 0x43})
        EXPECT_NE(tags.end(), std::find(tags.begin(), tags.end(), tag)) << "tag 0x" << std::hex << tag;

    // Ids are table indexes in draw order, new ids follow the last.
    ASSERT_EQ(10, copy.Count());
    for (int i = 0; i < copy.Count(); ++i)
        EXPECT_EQ(i, copy.Object(i).objectId) << i;
    EXPECT_EQ(10, copy.Drawing()->lastObjectId);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), copy.Order());
    // The line (drawn fifth) hangs on the rectangle (second) and the oval
    // (third); the array's branch holds the rectangle.
    const DrawingObject line = copy.Object(4);
    ASSERT_EQ(2, line.linkCount);
    EXPECT_EQ(1, line.links[0].targetId);
    EXPECT_EQ(2, line.links[1].targetId);
    EXPECT_EQ(0x103, line.startArrow);
    EXPECT_EQ(3, line.arrowEnds);
    const std::vector<LinkEntry> links = copy.Links();
    ASSERT_EQ(3u, links.size());
    EXPECT_EQ(1, links[0].targetId);
    EXPECT_EQ(4, links[0].sourceId);
    const std::vector<uint8_t> branches = copy.RecordPayload(kArrayBranchGroup, 1);
    ASSERT_GE(branches.size(), 24u + 28u);
    EXPECT_EQ(1, ReadLeI32(&branches[24 + 16]));
    EXPECT_EQ(5, copy.RecordCount(kTextGroup) + copy.RecordCount(kAttachmentGroup) +
                     copy.RecordCount(kFreeformGroup) + copy.RecordCount(kConnectorRouteGroup) +
                     copy.RecordCount(kArrayBranchGroup));
    // The attachment went with its object (id 7 became 2).
    const std::vector<uint8_t> attachment = copy.RecordPayload(kAttachmentGroup, 2);
    ASSERT_FALSE(attachment.empty());
    EXPECT_STREQ("C:\\docs\\plan.txt", reinterpret_cast<const char*>(attachment.data()));
    EXPECT_STREQ("$atype=2", reinterpret_cast<const char*>(attachment.data()) + 17);
    EXPECT_EQ(kErrNone, VerifyStore(copy.store()));
}

TEST_F(DrawingFiles, FileRoundTripAndCheck)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    const std::string path = ScratchPath("every_kind.tyr");
    DeleteFileA(path.c_str());
    ASSERT_EQ(kErrNone, WriteDrawingFile(path.c_str(), nullptr, nullptr, source.view()));
    EXPECT_EQ(1, CheckDrawingFile(path.c_str(), nullptr));
    HGLOBAL preview = nullptr;
    EXPECT_EQ(0, CheckDrawingFile(path.c_str(), &preview)) << "no preview picture in this drawing";
    EXPECT_EQ(nullptr, preview);
    EXPECT_EQ(-1, CheckDrawingFile(ScratchPath("no_such_file.tyr").c_str(), nullptr));

    DrawingDocument copy;
    int older = -1;
    ASSERT_EQ(kErrNone, ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, nullptr, copy.view(), &older, 0));
    EXPECT_EQ(0, older);
    EXPECT_EQ(10, copy.Count());
    EXPECT_TRUE(source.Write() == copy.Write());
    EXPECT_EQ(1, ReadDrawingFile(HFILE_ERROR, ScratchPath("no_such_file.tyr").c_str(), nullptr, 0, nullptr,
                                 copy.view(), &older, 0));
}

TEST_F(DrawingFiles, SymbolStreamHasNoDocumentBlockNorLinks)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, WriteLibrarySymbol(nullptr, &block, &size, source.view()));
    std::vector<uint8_t> bytes = BlockBytes(block);
    GlobalFree(block);
    const std::vector<uint8_t> stream(bytes.begin() + 4, bytes.end());
    const std::vector<uint16_t> tags = TagsOf(WalkStream(stream));
    EXPECT_EQ(tags.end(), std::find(tags.begin(), tags.end(), 0x8002));
    EXPECT_EQ(tags.end(), std::find(tags.begin(), tags.end(), 0x29));
    ASSERT_GE(tags.size(), 3u);
    EXPECT_EQ(0x8006, tags[1]) << "the font table stands at the top, the text needs it";

    // Read back from a library record: 16 bytes of record header, the size.
    std::vector<uint8_t> record(20, 0);
    WriteLeU32(&record[16], static_cast<uint32_t>(stream.size() + 4));
    record.insert(record.end(), stream.begin(), stream.end());
    HGLOBAL symbol = GlobalAlloc(GMEM_MOVEABLE, record.size());
    std::memcpy(GlobalLock(symbol), record.data(), record.size());
    GlobalUnlock(symbol);
    DrawingDocument copy;
    EXPECT_EQ(kErrNone, ReadLibrarySymbol(HFILE_ERROR, nullptr, symbol, static_cast<DWORD>(stream.size() + 4),
                                          copy.view()));
    GlobalFree(symbol);
    EXPECT_EQ(10, copy.Count());
    EXPECT_TRUE(copy.Links().empty());
    EXPECT_EQ(2, copy.Object(4).linkCount) << "the objects keep their slots";
}

TEST_F(DrawingFiles, LaterVersionIsRefused)
{
    const int16_t version3[6] = {2, 300, 1, 3, 100, 600};
    const std::vector<uint8_t> stream = DrawingStream(0, {}, version3);
    DrawingDocument document;
    EXPECT_EQ(10008, document.Read(stream));
    const std::string path = ScratchPath("version3.tyr");
    WriteWholeFile(path, stream);
    HGLOBAL preview = nullptr;
    EXPECT_EQ(0, CheckDrawingFile(path.c_str(), &preview));
    EXPECT_EQ(1, CheckDrawingFile(path.c_str(), nullptr));

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        ErrorCode expected;
    };
    std::vector<uint8_t> lower = DrawingStream(0, {});
    for (int i = 0; i < 8; ++i)
        lower[static_cast<size_t>(i)] = static_cast<uint8_t>(tolower(lower[static_cast<size_t>(i)]));
    const Case cases[] = {
        {"empty", {}, kErrStreamSignature},
        {"five bytes", {'Q', 'U', 'O', 'R', 'V'}, kErrStreamSignature},
        {"lower-case signature", lower, kErrNone},
        {"no header", StreamBytes().Raw("QUORVELX").Tag(0x4001).bytes(), kErrStreamSignature},
    };
    for (const Case& c : cases) {
        DrawingDocument fresh;
        EXPECT_EQ(c.expected, fresh.Read(c.bytes)) << c.name;
    }
}

TEST_F(DrawingFiles, DefaultAttributesAreLeftOut)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    const std::vector<uint8_t> stream = source.Write();
    // Draw order 3, 0, 1, ...: the plain rectangle is the second block.
    EXPECT_EQ((std::vector<uint16_t>{0x8022, 0x26, 0x4022}), TagsOf(ObjectRecords(stream, 1)));
    const std::vector<uint16_t> styled = TagsOf(ObjectRecords(stream, 2));
    EXPECT_EQ((std::vector<uint16_t>{0x8022, 0x30, 0x24, 0x23, 0x26, 0x8040, 0x41, 0x42, 0x43, 0x43, 0x4040, 0x4022}),
              styled);
    // The array drawn with the default pen colour but its own: a line pen.
    const std::vector<uint16_t> array = TagsOf(ObjectRecords(stream, 6));
    EXPECT_EQ((std::vector<uint16_t>{0x8022, 0x8033, 0x34, 0x34, 0x34, 0x4033, 0x4022}), array)
        << "an array of one entry is written with three branch records";
}

TEST_F(DrawingFiles, GroupSplitByAnotherObjectComesBackAsTwoRows)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    source.SetOrder({3, 0, 1, 2, 4, 5, 6, 7, 9, 8});
    const std::vector<uint8_t> stream = source.Write();
    const std::vector<uint16_t> tags = TagsOf(WalkStream(stream));
    EXPECT_EQ(2, std::count(tags.begin(), tags.end(), 0x8021));
    DrawingDocument copy;
    ASSERT_EQ(kErrNone, copy.Read(stream));
    const std::vector<GroupEntry> groups = copy.Groups();
    ASSERT_EQ(2u, groups.size());
    EXPECT_EQ(5, groups[0].key);
    EXPECT_EQ(5, groups[1].key);
    EXPECT_EQ(5, copy.Object(7).groupKey);
    EXPECT_EQ(0, copy.Object(8).groupKey);
    EXPECT_EQ(5, copy.Object(9).groupKey);
}

TEST_F(DrawingFiles, TextFormatsAndParagraphsAreChangesAgainstRunningValues)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    // Three formats, the second equal to the first; a paragraph field of 40000.
    TextFormat f0 = MakeFormat(0, 10);
    TextFormat f1 = MakeFormat(4, 10);
    TextFormat f2 = MakeFormat(8, 12);
    f2.requestedSize = 10;
    TextParagraph wide = MakeParagraph();
    wide.leftIndent = 40000;
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(source.store(), kTextGroup, 5, &record));
    ASSERT_EQ(kErrNone, DeleteRecordByHandle(record));
    GlobalFree(record);
    source.PutRecord(kTextGroup, 5, MakeTextBlock("abcdefghijkl", {f0, f1, f2}, {wide, wide}));
    const std::vector<uint8_t> stream = source.Write();

    std::vector<StreamRecordAt> records = ObjectRecords(stream, 2);
    const StreamRecordAt* formats = nullptr;
    std::vector<const StreamRecordAt*> paragraphs;
    for (const StreamRecordAt& r : records) {
        if (r.tag == 0x42)
            formats = &r;
        if (r.tag == 0x43)
            paragraphs.push_back(&r);
    }
    ASSERT_NE(nullptr, formats);
    const uint8_t* p = &stream[formats->payload];
    ASSERT_EQ(1, ReadLeU16(p)) << "the default first format and the equal second one need no entry";
    EXPECT_EQ(2, ReadLeU16(p + 2)) << "size 12 and requested size 10";
    EXPECT_EQ(8u, ReadLeU32(p + 4));
    EXPECT_EQ(1, ReadLeU16(p + 8));
    EXPECT_EQ(12, ReadLeI32(p + 10));
    EXPECT_EQ(8, ReadLeU16(p + 14));
    EXPECT_EQ(10, ReadLeI32(p + 16));
    ASSERT_EQ(2u, paragraphs.size());
    EXPECT_EQ(1, ReadLeU16(&stream[paragraphs[0]->payload + 2]));
    EXPECT_EQ(0, ReadLeU16(&stream[paragraphs[1]->payload + 2])) << "the second paragraph repeats the first";

    DrawingDocument copy;
    ASSERT_EQ(kErrNone, copy.Read(stream));
    const std::vector<uint8_t> block = copy.RecordPayload(kTextGroup, 5);
    const std::vector<TextFormat> read = TextFormatsOf(block);
    ASSERT_EQ(3u, read.size());
    EXPECT_EQ(0, read[0].start);
    EXPECT_EQ(8, read[0].length);
    EXPECT_EQ(8, read[1].start);
    EXPECT_EQ(4, read[1].length);
    EXPECT_EQ(12, read[1].size);
    EXPECT_EQ(10, read[1].requestedSize);
    EXPECT_EQ(12, read[2].start);
    EXPECT_EQ(0, read[2].length);
    const std::vector<TextParagraph> readParagraphs = TextParagraphsOf(block);
    ASSERT_EQ(2u, readParagraphs.size());
    EXPECT_EQ(-25536, readParagraphs[0].leftIndent);
    EXPECT_EQ(-25536, readParagraphs[1].leftIndent);
    EXPECT_EQ(12, TextHeaderOf(block).textLength);
}

TEST_F(DrawingFiles, DamagedTextBlocksAreMadeSound)
{
    struct Case {
        const char* name;
        std::vector<std::vector<uint8_t>> records;
        int formats;
        int paragraphs;
        int textLength;
        std::vector<int> starts;
    };
    const Case cases[] = {
        {"no formats, no paragraphs", TextShape(0, 0, 5, {TextBytes("abcde")}), 1, 1, 5, {0}},
        {"text record shorter than stated", TextShape(2, 1, 10, {TextBytes("abcd"),
                                                                FormatRecord({{0, {{1, 12}}}, {8, {{1, 14}}}})}),
         2, 1, 4, {0, 4}},
        {"entries stated beyond the record", TextShape(3, 1, 6, {TextBytes("abcdef"),
                                                                FormatRecord({{0, {{1, 12}}}, {2, {{1, 14}}}}, 40)}),
         3, 1, 6, {0, 2, 6}},
        {"starts out of order", TextShape(3, 1, 6, {TextBytes("abcdef"),
                                                   FormatRecord({{0, {{1, 12}}}, {5, {{1, 14}}}, {2, {{1, 16}}}})}),
         3, 1, 6, {0, 5, 5}},
        {"start beyond the text", TextShape(2, 1, 3, {TextBytes("abc"), FormatRecord({{0, {{1, 12}}}, {900, {{1, 14}}}})}),
         2, 1, 3, {0, 3}},
    };
    for (const Case& c : cases) {
        DrawingDocument document;
        ASSERT_EQ(kErrNone, document.Read(DrawingStream(1, c.records))) << c.name;
        ASSERT_EQ(1, document.Count()) << c.name;
        const std::vector<uint8_t> block = document.RecordPayload(kTextGroup, 9);
        ASSERT_TRUE(IsTextBlockSound(block.data(), block.size())) << c.name;
        const TextBlockHeader head = TextHeaderOf(block);
        EXPECT_EQ(c.formats, head.formatCount) << c.name;
        EXPECT_EQ(c.paragraphs, head.paragraphCount) << c.name;
        EXPECT_EQ(c.textLength, head.textLength) << c.name;
        const std::vector<TextFormat> formats = TextFormatsOf(block);
        int32_t end = 0;
        for (size_t i = 0; i < formats.size(); ++i) {
            if (i < c.starts.size()) {
                EXPECT_EQ(c.starts[i], formats[i].start) << c.name << " format " << i;
            }
            EXPECT_EQ(end, formats[i].start) << c.name << " formats follow each other";
            EXPECT_GE(formats[i].length, 0) << c.name;
            end = formats[i].start + formats[i].length;
        }
        EXPECT_EQ(head.textLength, end) << c.name;
    }
}

TEST_F(DrawingFiles, ParagraphPercentagesAndScrollPositionsKeepTheirValuesAtOtherUnits)
{
    const int16_t units1200[6] = {2, 300, 1, 2, 100, 1200};
    const std::vector<std::vector<uint8_t>> records =
        TextShape(1, 1, 3, {TextBytes("abc"), ParagraphRecord(0, {{101, 150}, {103, 80}, {107, 120}, {104, 600}})});
    std::vector<uint8_t> stream = DrawingStream(1, records, units1200);
    // A document block in front, scrolled to 40, 60.
    PayloadBuilder document(kDocumentOpenerSize);
    document.I16At(2, 40);
    document.I16At(4, 60);
    std::vector<uint8_t> block = Record(kTagDocumentBlock, document.bytes());
    const std::vector<uint8_t> closer = Closer(0x4002);
    block.insert(block.end(), closer.begin(), closer.end());
    stream.insert(stream.begin() + 8 + 18, block.begin(), block.end());

    DrawingDocument copy;
    ASSERT_EQ(kErrNone, copy.Read(stream));
    EXPECT_EQ(40, copy.view()->scrollX);
    EXPECT_EQ(60, copy.view()->scrollY);
    const std::vector<TextParagraph> paragraphs = TextParagraphsOf(copy.RecordPayload(kTextGroup, 9));
    ASSERT_EQ(1u, paragraphs.size());
    EXPECT_EQ(150, paragraphs[0].spacingPercent);
    EXPECT_EQ(80, paragraphs[0].characterSpacing);
    EXPECT_EQ(120, paragraphs[0].reserved);
    EXPECT_EQ(300, paragraphs[0].leftIndent) << "a true length follows the units";
}

TEST_F(DrawingFiles, ObjectsBeyondTheStatedCountAndASecondDrawingBlockAreIgnored)
{
    const std::vector<std::vector<uint8_t>> three = {ShapeOpener(2, 0), Closer(0x4022), ShapeOpener(2, 1),
                                                     Closer(0x4022), ShapeOpener(2, 2), Closer(0x4022)};
    DrawingDocument document;
    ASSERT_EQ(kErrNone, document.Read(DrawingStream(1, three)));
    EXPECT_EQ(1, document.Count());
    EXPECT_EQ(1, document.Drawing()->lastObjectId);
    EXPECT_EQ(kErrNone, VerifyStore(document.store()));

    std::vector<uint8_t> twice = DrawingStream(2, three);
    const std::vector<uint8_t> second = DrawingStream(3, three);
    // The second stream's drawing block, put before the end record.
    const size_t start = 8 + 18;
    twice.insert(twice.end() - 2, second.begin() + static_cast<long>(start), second.end() - 2);
    DrawingDocument other;
    ASSERT_EQ(kErrNone, other.Read(twice));
    EXPECT_EQ(2, other.Count());

    DrawingDocument refused;
    EXPECT_EQ(1003, refused.Read(DrawingStream(16001, three)));
    EXPECT_EQ(0, refused.Count());
}

TEST_F(DrawingFiles, LinksToObjectsThatAreGoneAreNotWrittenAsTheFirstObject)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    // The connector's slot and a link row name id 999, which no object holds.
    DrawingObject connector = source.Object(5);
    connector.links[0].targetId = 999;
    source.SetObject(5, connector);
    std::vector<LinkEntry> links = source.Links();
    links[1].targetId = 999;
    source.SetLinks(links);
    // The array's branch names a gone object too.
    std::vector<uint8_t> branches = source.RecordPayload(kArrayBranchGroup, 1);
    WriteLeI32(&branches[24 + 16], 998);
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(source.store(), kArrayBranchGroup, 1, &record));
    ASSERT_EQ(kErrNone, DeleteRecordByHandle(record));
    GlobalFree(record);
    source.PutRecord(kArrayBranchGroup, 1, branches);

    const std::vector<uint8_t> stream = source.Write();
    DrawingDocument copy;
    ASSERT_EQ(kErrNone, copy.Read(stream));
    EXPECT_EQ(0, copy.Object(5).linkCount);
    for (const LinkEntry& row : copy.Links())
        EXPECT_NE(5, row.sourceId) << "no row of the connector is left";
    EXPECT_EQ(2u, copy.Links().size());
    const std::vector<uint8_t> read = copy.RecordPayload(kArrayBranchGroup, 1);
    EXPECT_EQ(kNoObjectId, ReadLeI32(&read[24 + 16]));
}

namespace {

struct Patch {
    const char* name;
    uint16_t tag;
    size_t offset;
    uint16_t value;
};

} // namespace

TEST_F(DrawingFiles, DamagedStreamsAreRefusedWithoutTouchingTheDocument)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    const std::vector<uint8_t> stream = source.Write();
    const std::vector<StreamRecordAt> records = WalkStream(stream);

    const Patch patches[] = {
        {"objects beyond the limit", 0x8020, 0, 16001},
        {"links beyond the limit", 0x8020, 4, 6001},
        {"link rows beyond the record", 0x29, 0, 60},
        {"colours beyond the record", 8, 0, 300},
        {"negative font table", 0x8006, 0, 0x8000},
        {"freeform beyond a record", 0x8031, 2, 30000},
        {"branches beyond a record", 0x8033, 10, 30000},
        {"text beyond its limit", 0x8040, 6, 40000},
        {"formats beyond a record", 0x8040, 2, 60000},
        {"palette beyond the record", 0x47, 76, 200},
    };
    DrawingDocument target;
    for (const Patch& patch : patches) {
        std::vector<uint8_t> damaged = stream;
        bool found = false;
        for (const StreamRecordAt& r : records) {
            if (r.tag == patch.tag) {
                WriteLeU16(&damaged[r.payload + patch.offset], patch.value);
                found = true;
                break;
            }
        }
        ASSERT_TRUE(found) << patch.name;
        EXPECT_EQ(1003, target.Read(damaged)) << patch.name;
        EXPECT_EQ(0, target.Count()) << patch.name;
    }
    // Every record cut short.
    for (const StreamRecordAt& r : records) {
        const size_t end = r.payload + r.length;
        const size_t cut = r.length > 1 ? r.payload + r.length / 2 : end - 1;
        std::vector<uint8_t> damaged(stream.begin(), stream.begin() + static_cast<long>(cut));
        EXPECT_NE(kErrNone, target.Read(damaged)) << "cut in record 0x" << std::hex << r.tag << " at " << r.at;
        ASSERT_EQ(0, target.Count());
    }
    EXPECT_EQ(0, target.RecordCount(kTextGroup));
    EXPECT_EQ(0, target.RecordCount(kBitmapPictureGroup));
    EXPECT_EQ(0, target.RecordCount(kAttachmentGroup));
    EXPECT_EQ(kErrNone, VerifyStore(target.store()));
}

TEST_F(DrawingFiles, MemoryWriteGivesABlockWhoseSizeIsItsPrefix)
{
    DrawingDocument source;
    BuildEveryKindDrawing(&source);
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, WriteDrawingFile(nullptr, &block, &size, source.view()));
    ASSERT_NE(nullptr, block);
    const std::vector<uint8_t> bytes = BlockBytes(block);
    EXPECT_EQ(size, ReadLeU32(bytes.data()));
    DrawingDocument copy;
    int older = -1;
    EXPECT_EQ(kErrNone, ReadDrawingFile(HFILE_ERROR, nullptr, block, size, nullptr, copy.view(), &older, 0));
    GlobalFree(block);
    EXPECT_EQ(10, copy.Count());
}
