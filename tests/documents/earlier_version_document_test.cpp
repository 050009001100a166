// Drawings of the earlier versions, built from the earlier record layouts,
// converted record by record inside their store.
#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "document_windows.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/printer_context.h"
#include "common/handle_tokens.h"
#include "documents/earlier_version.h"
#include "options_old_store.h"
#include "private_temp_folder.h"
#include "stream_bytes.h"
#include "store/record_store.h"
#include "store/store_errors.h"
#include "support/crash_guard.h"
#include "support/test_paths.h"
#include "objects/view_record_word.h"

namespace {

int32_t At32(const std::vector<uint8_t>& bytes, size_t offset)
{
    return offset + 4 <= bytes.size() ? ReadLeI32(&bytes[offset]) : 0x7BADBAD7;
}

const std::string kLongPrinter = std::string(239, 'P') + ",winspool,LPT1:1234567";  // 261 characters
const std::string kLongFace(31, 'F');

struct OldDrawing {
    explicit OldDrawing(int version) : store(ScratchPath("old_drawing.tyr"))
    {
        OldRecordBytes view(330);
        view.I16(0, version).I16(2, 120).I16(4, -40).I16(6, 150).I16(8, 0xF001).I16(10, 0x8002);
        view.I16(28, 5100).I16(30, 6600).I16(32, 5100).I16(34, 6600).I16(36, 4800).I16(38, 6300);
        view.I16(40, 150).I16(42, 160).I16(44, 170).I16(46, 180);
        view.I16(48, 10).I16(50, 20).I16(52, 30).I16(54, 40).I16(56, 100);
        view.Text(58, kLongPrinter).I32(326, 0x00C0FFEE);
        viewPayload = view.bytes;
        store.Put(100, 101, view.bytes);

        store.Put(100, 103, OldRecordBytes(6).I16(0, 2).I16(2, 3).I16(4, -5).bytes);
        OldRecordBytes fonts(4 + 58);
        fonts.I16(0, 1).I16(2, 0).I16(4 + 0, -13).Text(4 + 18, kLongFace);
        fonts.bytes[4 + 13] = 2;
        fonts.I16(4 + 50, 210).I16(4 + 52, 90).I16(4 + 54, 4).I16(4 + 56, -1);
        store.Put(100, 104, fonts.bytes);
        store.Put(100, 106, OldRecordBytes(10).I16(0, 2).I32(2, 0x112233).I32(6, 0x445566).bytes);

        OldRecordBytes drawing(148);
        drawing.I16(4, 5100).I16(6, -6600).I16(8, 0x8003).I16(16, -1).I16(20, 0xFFFF).I16(26, 7);
        drawing.I32(28, 0x000080).I32(52, 0xFFFFFFFF).I16(28 + 28, 24).I16(28 + 30, -24).I16(28 + 32, 4);
        drawing.I16(28 + 34, 3).Text(28 + 36, "Walnut");
        drawing.I16(96, 12).I16(98, 14).I16(100, 10).I16(102, 1).I16(104, 6).I16(106, 6).Text(108, "Arial");
        drawing.I16(140, -2).I32(142, 0x12345678).I16(146, 9);
        store.Put(100, 105, drawing.bytes);

        OldRecordBytes objects(2 + 186 * 2);
        objects.I16(0, 2);
        for (int index = 0; index < 2; ++index) {
            const size_t o = 2 + 186 * index;
            objects.I16(o, index).I16(o + 10, 100).I16(o + 12, 200).I16(o + 14, 700).I16(o + 16, -300);
            objects.Double(o + 36, 0.25).Double(o + 68, -2.5).I16(o + 92, 7 + index).I16(o + 94, 0x0401);
            objects.I16(o + 116, -9).I32(o + 118, 0xFF).I32(o + 122, 0xFFFFFFFF).I16(o + 134, 0xFFFE);
            objects.I16(o + 148, 0xFFFF).I16(o + 150, -1).I16(o + 166, 202).I16(o + 170, 17);
            objects.I32(o + 172, index == 0 ? 0x02 : 0x01).I16(o + 176, 0x8000).I16(o + 184, 33);
        }
        store.Put(110, 0, objects.bytes);
        store.Put(111, 0, OldRecordBytes(6).I16(0, 2).I16(2, 1).I16(4, 0).bytes);
        store.Put(115, 0, OldRecordBytes(12).I16(0, 1).I16(2, 0xFFFF).I16(4, 1).I16(6, 40000).I16(8, 0).I16(10, 0x8001).bytes);

        store.Put(114, 3, TextBlock(0));
        store.Put(114, 1, TextBlock(400));
        OldRecordBytes route(56);
        route.I16(0, 1).I16(2, 3).I16(4, 5).I16(6, -10).I16(44, 99).I16(46, 11).I16(54, -55);
        store.Put(116, 2, route.bytes);
        OldRecordBytes picture(100);
        picture.I16(78, 0x8001).I16(80, 16).I32(82, 0xAAAAAAAA).I32(90, 0xBBBBBBBB).I32(94, 0xCCCCCCCC);
        store.Put(113, 1, picture.bytes);
    }

    // F=2 formats, L=1 line, T=5 text bytes, P=1 paragraph, R=3 runs; `spare` bytes after.
    static std::vector<uint8_t> TextBlock(size_t spare)
    {
        const size_t size = 50 + 30 + 2 * 38 + 22 + 3 * 12 + 5;
        OldRecordBytes text(size + spare);
        text.I16(0, 2).I16(2, 1).I16(4, 5).I16(6, 1).I16(8, 3).I16(14, -14);
        text.I16(16, 1).I16(18, 2).I16(20, 3).I16(22, -4).I16(28, 28).I32(30, 0x30303030).I16(40, 40);
        text.I32(42, 0x42424242).I32(46, 0x46464646);
        const size_t line = 50, format = line + 30, paragraph = format + 2 * 38, run = paragraph + 22;
        text.I16(line, -1).I16(line + 24, 0xFFFF).I16(line + 28, 28);
        text.I16(format + 38, 1).I16(format + 38 + 2, 24).I16(format + 38 + 4, 0x8001).I32(format + 38 + 6, 0xFF00);
        text.I16(format + 38 + 16, 0xFFFF).I16(format + 38 + 34, -34);
        text.I16(paragraph + 20, -20);
        text.I16(run + 24, 5).I16(run + 24 + 10, -10);
        std::memcpy(&text.bytes[run + 36], "Hello", 5);
        return text.bytes;
    }

    ErrorCode Convert(std::vector<uint8_t>* view)
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kViewRecordSize);
        std::memcpy(GlobalLock(block), viewPayload.data(), viewPayload.size());
        GlobalUnlock(block);
        const ErrorCode code = ConvertOldDocument(block, store.slot);
        const auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
        view->assign(bytes, bytes + kViewRecordSize);
        GlobalUnlock(block);
        GlobalFree(block);
        return code;
    }

    OldStore store;
    std::vector<uint8_t> viewPayload;
};

TEST(EarlierVersionDocument, ViewRecordWidened)
{
    OldDrawing drawing(2);
    std::vector<uint8_t> view;
    ASSERT_EQ(kErrNone, drawing.Convert(&view));
    const ViewRecord* record = reinterpret_cast<const ViewRecord*>(view.data());
    EXPECT_EQ(4, record->version);
    EXPECT_EQ(120, record->scrollX);
    EXPECT_EQ(-40, record->scrollY);
    EXPECT_EQ(150, record->zoom);
    EXPECT_EQ(0xF001, record->viewFlags);
    EXPECT_EQ(0x8002u, record->flags);
    EXPECT_EQ(0, record->pendingUndo);
    EXPECT_EQ(5100, record->drawingWidth);
    EXPECT_EQ(6300, record->printableHeight);
    EXPECT_EQ(180, record->margins.bottom);
    EXPECT_EQ(40, record->deviceMargins.bottom);
    EXPECT_EQ(100, record->overlap);
    EXPECT_EQ(kLongPrinter, record->printer);
    EXPECT_EQ(0x00C0FFEE, record->containerBackground);
}

TEST(EarlierVersionDocument, RecordSizes)
{
    OldDrawing drawing(2);
    std::vector<uint8_t> view;
    ASSERT_EQ(kErrNone, drawing.Convert(&view));
    const DWORD textSize = 16 + 88 + 60 + 2 * 68 + 44 + 3 * 24 + 5;
    struct Row {
        const char* name;
        short group, id;
        DWORD size;
    };
    const Row rows[] = {
        {"font table", 100, 103, 28},    {"font list", 100, 104, 100},     {"colour list", 100, 106, 1044},
        {"drawing", 100, 105, 296},      {"objects", 110, 0, 20 + 356 * 3}, {"draw order", 111, 0, 28},
        {"links", 115, 0, 40},           {"group table", 118, 0, 20},      {"text grown", 114, 3, textSize},
        {"text large enough", 114, 1, static_cast<DWORD>(16 + OldDrawing::TextBlock(400).size())},
        {"route", 116, 2, 128},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.size, drawing.store.SizeOf(row.group, row.id)) << row.name;
}

TEST(EarlierVersionDocument, ObjectsWidenedAndFlagsMoved)
{
    OldDrawing drawing(2);
    std::vector<uint8_t> view;
    ASSERT_EQ(kErrNone, drawing.Convert(&view));
    const std::vector<uint8_t> table = drawing.store.PayloadOf(110, 0);
    EXPECT_EQ(2, At32(table, 0));
    struct Row {
        const char* name;
        size_t offset;
        int32_t shape, line;
    };
    const Row rows[] = {
        {"kind", 0, 0, 1},
        {"frame left", 20, 100, 100},
        {"frame bottom", 32, -300, -300},
        {"text id", 144, 7, 8},
        {"flag word, lines link", 148, 0x0401, 0x0421},
        {"eleventh value", 192, -9, -9},
        {"colour", 196, 0xFF, 0xFF},
        {"no colour", 200, -1, -1},
        {"unsigned word", 220, 0xFFFE, 0xFFFE},
        {"first slot target", 248, 0xFFFF, 0xFFFF},
        {"first slot hint", 252, -1, -1},
        {"second slot code", 284, 202, 202},
        {"value at 170", 292, 17, 17},
        {"flags", 296, 2, 1},
        {"constant 300", 300, 1, 1},
        {"unsigned at 176", 304, 0x8000, 0x8000},
        {"value at 184", 312, 33, 33},
        {"constant 320", 320, -1, -1},
        {"flag 0x02", 324, 1, 0},
        {"flag 0x01", 328, 0, 1},
        {"frame copy left", 332, 100, 100},
        {"frame copy bottom", 344, -300, -300},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.shape, At32(table, 4 + row.offset)) << row.name;
        EXPECT_EQ(row.line, At32(table, 4 + 356 + row.offset)) << row.name;
    }
    double first = 0, last = 0;
    std::memcpy(&first, &table[4 + 72], 8);
    std::memcpy(&last, &table[4 + 104], 8);
    EXPECT_EQ(0.25, first);
    EXPECT_EQ(-2.5, last);
    const std::vector<uint8_t> order = drawing.store.PayloadOf(111, 0);
    EXPECT_EQ(std::vector<int32_t>({2, 1, 0}), std::vector<int32_t>({At32(order, 0), At32(order, 4), At32(order, 8)}));
    const std::vector<uint8_t> links = drawing.store.PayloadOf(115, 0);
    EXPECT_EQ(0xFFFF, At32(links, 4));
    EXPECT_EQ(40000, At32(links, 12));
    EXPECT_EQ(0x8001, At32(links, 20));
}

TEST(EarlierVersionDocument, DrawingFontsAndColours)
{
    OldDrawing drawing(2);
    std::vector<uint8_t> view;
    ASSERT_EQ(kErrNone, drawing.Convert(&view));
    const std::vector<uint8_t> record = drawing.store.PayloadOf(100, 105);
    EXPECT_EQ(5100, At32(record, 8));
    EXPECT_EQ(-6600, At32(record, 12));
    EXPECT_EQ(0x8003, At32(record, 16));
    EXPECT_EQ(0xFFFF, At32(record, 40));
    EXPECT_EQ(0x80, At32(record, 56));
    EXPECT_EQ(-1, At32(record, 56 + 24));
    EXPECT_EQ(-24, At32(record, 56 + 32));
    EXPECT_EQ(3, At32(record, 56 + 40));
    EXPECT_STREQ("Walnut", reinterpret_cast<const char*>(&record[56 + 44]));
    EXPECT_EQ(12, At32(record, 132));
    EXPECT_EQ(6, At32(record, 152));
    EXPECT_STREQ("Arial", reinterpret_cast<const char*>(&record[184]));
    EXPECT_EQ(-2, At32(record, 216));
    EXPECT_EQ(0x12345678, At32(record, 220));
    EXPECT_EQ(9, At32(record, 224));
    EXPECT_EQ(1, At32(record, 240));
    EXPECT_EQ(1, At32(record, 248));
    double major = 0;
    std::memcpy(&major, &record[256], 8);
    EXPECT_EQ(100.0, major);

    const std::vector<uint8_t> table = drawing.store.PayloadOf(100, 103);
    EXPECT_EQ(2, At32(table, 0));
    EXPECT_EQ(-5, At32(table, 8));
    const std::vector<uint8_t> list = drawing.store.PayloadOf(100, 104);
    EXPECT_EQ(1, At32(list, 0));
    EXPECT_EQ(kLongFace, reinterpret_cast<const char*>(&list[8 + 28]));
    EXPECT_EQ(2, list[8 + 23]);
    EXPECT_EQ(210, At32(list, 8 + 60));
    EXPECT_EQ(-1, At32(list, 8 + 72));
    const std::vector<uint8_t> colours = drawing.store.PayloadOf(100, 106);
    EXPECT_EQ(2, At32(colours, 0));
    EXPECT_EQ(0x445566, At32(colours, 8));
}

TEST(EarlierVersionDocument, TextBlocksWidened)
{
    OldDrawing drawing(2);
    std::vector<uint8_t> view;
    ASSERT_EQ(kErrNone, drawing.Convert(&view));
    for (short id : {1, 3}) {
        const std::vector<uint8_t> text = drawing.store.PayloadOf(114, id);
        SCOPED_TRACE(id);
        const size_t line = 88, format = line + 60, paragraph = format + 2 * 68, run = paragraph + 44;
        const size_t bytes = run + 3 * 24;
        EXPECT_EQ("Hello", std::string(text.begin() + bytes, text.begin() + bytes + 5));
        EXPECT_EQ(2, At32(text, 0));
        EXPECT_EQ(3, At32(text, 16));
        EXPECT_EQ(-14, At32(text, 28));
        EXPECT_EQ(-4, At32(text, 44));
        EXPECT_EQ(28, At32(text, 56));
        EXPECT_EQ(0x30303030, At32(text, 60));
        EXPECT_EQ(40, At32(text, 76));
        EXPECT_EQ(0x46464646, At32(text, 84));
        EXPECT_EQ(-1, At32(text, line));
        EXPECT_EQ(0xFFFF, At32(text, line + 48));
        EXPECT_EQ(28, At32(text, line + 56));
        EXPECT_EQ(1, At32(text, format + 68));
        EXPECT_EQ(24, At32(text, format + 68 + 4));
        EXPECT_EQ(0x8001, At32(text, format + 68 + 8));
        EXPECT_EQ(0xFF00, At32(text, format + 68 + 12));
        EXPECT_EQ(0xFFFF, At32(text, format + 68 + 28));
        EXPECT_EQ(24, At32(text, format + 68 + 32));
        EXPECT_EQ(-34, At32(text, format + 68 + 60));
        EXPECT_EQ(-20, At32(text, paragraph + 40));
        EXPECT_EQ(5, At32(text, run + 48));
        EXPECT_EQ(-10, At32(text, run + 48 + 20));
    }
    const std::vector<uint8_t> route = drawing.store.PayloadOf(116, 2);
    EXPECT_EQ(5, At32(route, 8));
    EXPECT_EQ(-10, At32(route, 12));
    EXPECT_EQ(99, At32(route, 88));
    EXPECT_EQ(11, At32(route, 92));
    EXPECT_EQ(-55, At32(route, 108));
}

TEST(EarlierVersionDocument, PictureCachesClearedOnlyForVersionZero)
{
    struct Case {
        int version;
        int32_t paletteCount;
    };
    for (const Case& test : {Case{0, 0}, Case{2, 16}}) {
        OldDrawing drawing(test.version);
        std::vector<uint8_t> view;
        ASSERT_EQ(kErrNone, drawing.Convert(&view)) << test.version;
        EXPECT_EQ(4, At32(view, 0));
        const std::vector<uint8_t> chunk = drawing.store.PayloadOf(113, 1);
        ASSERT_EQ(100u, chunk.size());
        EXPECT_EQ(test.paletteCount, ReadLeI16(&chunk[80])) << test.version;
        EXPECT_EQ(test.version == 0 ? 0 : 0x8001, ReadLeU16(&chunk[78])) << test.version;
        EXPECT_EQ(test.version == 0 ? 0u : 0xBBBBBBBBu, ReadLeU32(&chunk[90])) << test.version;
        EXPECT_EQ(0xCCCCCCCCu, ReadLeU32(&chunk[94])) << test.version;
    }
}

TEST(EarlierVersionDocument, DamagedRecordsEndTheConversion)
{
    struct Case {
        const char* name;
        short group, id;
        std::vector<uint8_t> payload;
        ErrorCode expected;
    };
    const Case cases[] = {
        {"object count beyond the record", 110, 0, OldRecordBytes(2 + 186).I16(0, 5).bytes, kErrFile},
        {"negative object count", 110, 0, OldRecordBytes(2).I16(0, -1).bytes, kErrFile},
        {"font list count beyond the record", 100, 104, OldRecordBytes(4).I16(0, 300).bytes, kErrFile},
        {"text counts beyond the record", 114, 3, OldRecordBytes(50).I16(4, 3000).bytes, kErrFile},
        {"short drawing record", 100, 105, OldRecordBytes(20).bytes, kErrFile},
        {"short route", 116, 2, OldRecordBytes(10).bytes, kErrFile},
        {"font table missing", 100, 103, {}, kStoreErrNotFound},
    };
    for (const Case& test : cases) {
        OldDrawing drawing(2);
        RecordHandle record = nullptr;
        ASSERT_EQ(kErrNone, FindRecord(drawing.store.slot, test.group, test.id, &record)) << test.name;
        if (test.payload.empty()) {
            ASSERT_EQ(kErrNone, DeleteRecordByHandle(record));
            GlobalFree(record);
        } else {
            ASSERT_EQ(kErrNone, ResizeRecord(&record, static_cast<DWORD>(16 + test.payload.size())));
            std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + 16, test.payload.data(), test.payload.size());
            GlobalUnlock(record);
            ASSERT_EQ(kErrNone, SetRecordDirty(record));
            ReleaseRecord(record);
        }
        std::vector<uint8_t> view;
        EXPECT_EQ(test.expected, drawing.Convert(&view)) << test.name;
    }
}

TEST(EarlierVersionDocument, SeededMutationsAnswerACode)
{
    // Counts and sizes of the table and text records are damaged at random.
    struct Target {
        short group, id;
    };
    const Target targets[] = {{110, 0}, {111, 0}, {115, 0}, {114, 3}, {100, 104}, {100, 103}, {116, 2}};
    std::mt19937 random(6107);
    CrashGuard guard("earlier-version-drawing");
    for (int round = 0; round < 40; ++round) {
        OldDrawing drawing(round % 3);
        const Target& target = targets[random() % (sizeof(targets) / sizeof(targets[0]))];
        std::vector<uint8_t> payload = drawing.store.PayloadOf(target.group, target.id);
        ASSERT_FALSE(payload.empty());
        for (int change = 0; change < 4; ++change)
            payload[random() % std::min<size_t>(payload.size(), 12)] = static_cast<uint8_t>(random());
        if (random() % 2)
            payload.resize(random() % payload.size());
        RecordHandle record = nullptr;
        ASSERT_EQ(kErrNone, FindRecord(drawing.store.slot, target.group, target.id, &record));
        ASSERT_EQ(kErrNone, ResizeRecord(&record, static_cast<DWORD>(16 + payload.size())));
        if (!payload.empty())
            std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + 16, payload.data(), payload.size());
        GlobalUnlock(record);
        ASSERT_EQ(kErrNone, SetRecordDirty(record));
        ReleaseRecord(record);
        std::vector<uint8_t> view;
        guard.Reading("round " + std::to_string(round), payload);
        const ErrorCode code = drawing.Convert(&view);
        EXPECT_TRUE(code == kErrNone || code == kErrFile) << "round " << round << " code " << code;
    }
}

TEST(EarlierVersionDocument, OpensAsADocument)
{
    // The earlier file is copied into a working store and read as Open reads it.
    const size_t tokens = TokensInUse();
    MeasureSystem = 1;
    std::string path;
    {
        OldDrawing drawing(1);
        path = ScratchPath("old_drawing.tyr");
        RecordHandle record = nullptr;
        ASSERT_EQ(kErrNone, FindRecord(drawing.store.slot, 100, 101, &record));
        static_cast<uint8_t*>(GlobalLock(record))[16 + 58] = 0;  // the default printer
        GlobalUnlock(record);
        ASSERT_EQ(kErrNone, SetRecordDirty(record));
        ReleaseRecord(record);
        drawing.store.Put(100, 102, std::vector<uint8_t>(156, 0));
        drawing.store.Close();
    }
    DocumentWindows windows;
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), 0, 0, 0, path.c_str(), &store, &lock));
    int converted = 0;
    ASSERT_EQ(kErrNone, ReadDocumentRecords(windows.view(), store, &converted));
    EXPECT_EQ(1, converted);
    HGLOBAL handle = GetViewRecordHandle(windows.view());
    ASSERT_NE(nullptr, handle);
    const auto* view = static_cast<const ViewRecord*>(GlobalLock(handle));
    EXPECT_EQ(4, view->version);
    EXPECT_EQ(120, view->scrollX);
    EXPECT_EQ(150, view->zoom);
    GlobalUnlock(handle);
    DestroyViewData(windows.view());
    DestroyDocumentData(windows.document());
    if (lock != HFILE_ERROR)
        _lclose(lock);
    EXPECT_EQ(tokens, TokensInUse());
    DeleteFileA(path.c_str());
}

TEST(EarlierVersionDocument, ConversionUnderEveryFaultLeavesTheFileAndNothingBehind)
{
    MeasureSystem = 1;
    PrivateTempFolder temp;
    std::string path;
    {
        OldDrawing drawing(1);
        path = ScratchPath("old_drawing.tyr");
        drawing.store.Put(100, 102, std::vector<uint8_t>(156, 0));
        drawing.store.Close();
    }
    const std::vector<uint8_t> old = ReadWholeFile(path);
    ASSERT_FALSE(old.empty()) << "the loop must convert a file that is there";
    const size_t tokens = TokensInUse();
    for (bool persistent : {false, true}) {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(std::string(persistent ? "from then on" : "once") + ", call " + std::to_string(nth));
            DocumentWindows windows;
            int store = -1;
            HFILE lock = HFILE_ERROR;
            int converted = 0;
            SeamArmFault(kSeamAllFile | kSeamTempName | kSeamAlloc, nth, persistent);
            ErrorCode code = CreateWorkingStore(windows.document(), 0, 0, 0, path.c_str(), &store, &lock);
            if (code == kErrNone)
                code = ReadDocumentRecords(windows.view(), store, &converted);
            const bool fired = SeamFaultFired();
            SeamDisarm();
            EXPECT_TRUE(code == kErrNone || fired) << code;
            if (code == kErrNone) {
                EXPECT_EQ(1, converted);
            }
            DestroyViewData(windows.view());
            DestroyDocumentData(windows.document());
            if (lock != HFILE_ERROR)
                _lclose(lock);
            EXPECT_EQ(old, ReadWholeFile(path)) << "converting never writes the earlier file";
            EXPECT_EQ(0, CountWorkingFiles());
            EXPECT_EQ(tokens, TokensInUse());
            if (!fired || testing::Test::HasFailure())
                break;
            ASSERT_LT(nth, 5000);
        }
    }
    DeleteFileA(path.c_str());
}

} // namespace
