// The document colour list and the palette built from it, the standard
// colours and the drawing's pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/handle_words.h"
#include "objects/color_table.h"
#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/document_colors.h"
#include "objects/document_palette.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "picture_test_support.h"
#include "store/record_store.h"

namespace {

class DocumentColors : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        RecordHandle record = nullptr;
        ASSERT_EQ(0, CreateRecord(store_, kDrawingGroup, kDocumentColorListId, kDocumentColorListBytes, &record));
        ReleaseRecord(record);
        ColorStyle& style = Drawing()->style;
        style = ColorStyle{};
        style.borderColor = RGB(1, 0, 0);
        style.lineColor = RGB(2, 0, 0);
        style.fillColor = RGB(3, 0, 0);
        style.textColor = RGB(4, 0, 0);
        style.shadowColor = RGB(5, 0, 0);
        style.backgroundColor = 0xFFFFFFFF;
        style.highlightColor = RGB(1, 0, 0);   // listed once
    }

    std::vector<COLORREF> Listed()
    {
        COLORREF colors[256];
        int count = 0;
        EXPECT_EQ(0, ReadDocumentColors(store_, colors, &count));
        return std::vector<COLORREF>(colors, colors + count);
    }

    void SetListRaw(int count, const std::vector<COLORREF>& colors)
    {
        RecordHandle record = nullptr;
        ASSERT_EQ(0, FindRecord(store_, kDrawingGroup, kDocumentColorListId, &record));
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        WriteLeI32(bytes + kColorListCount, count);
        for (size_t i = 0; i < colors.size() && i < 256; ++i)
            WriteLeU32(bytes + kColorListColors + 4 * i, colors[i]);
        GlobalUnlock(record);
        ASSERT_EQ(kErrNone, SetRecordDirty(record));
        ReleaseRecord(record);
    }

    std::vector<COLORREF> Palette(ErrorCode* code = nullptr)
    {
        PaletteBuffer palette;
        ErrorCode result = BuildDocumentPalette(ViewRecord(), &palette);
        if (code)
            *code = result;
        std::vector<COLORREF> colors;
        for (int i = 0; i < palette.count; ++i)
            colors.push_back(RGB(palette.entries[i].peRed, palette.entries[i].peGreen, palette.entries[i].peBlue));
        return colors;
    }
};

TEST_F(DocumentColors, RebuildingListsStyleAndObjectColoursOnce)
{
    CreateRow(2);
    Object(0)->lineColor = RGB(10, 10, 10);
    Object(0)->fillColor = 0xFFFFFFFF;            // no fill: white
    Object(1)->lineColor = RGB(10, 10, 10);
    Object(1)->fillColor = 0x02000000 | RGB(20, 20, 20);   // listed as its low 24 bits
    SetListRaw(3, {RGB(99, 99, 99), 0, 0});
    CollectDocumentColors(ViewRecord(), 0);
    EXPECT_EQ((std::vector<COLORREF>{RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0), RGB(5, 0, 0), 0xFFFFFF,
                                     RGB(10, 10, 10), RGB(20, 20, 20)}),
              Listed());
}

TEST_F(DocumentColors, CollectingFromAPastedObjectAddsOnlyTheNewColours)
{
    CreateRow(3);
    for (int i = 0; i < 3; ++i) {
        Object(i)->lineColor = RGB(40 + i, 0, 0);
        Object(i)->fillColor = RGB(0, 40 + i, 0);
    }
    SetListRaw(2, {RGB(1, 0, 0), RGB(7, 7, 7)});
    CollectDocumentColors(ViewRecord(), 2);
    EXPECT_EQ((std::vector<COLORREF>{RGB(1, 0, 0), RGB(7, 7, 7), RGB(42, 0, 0), RGB(0, 42, 0)}), Listed());
}

TEST_F(DocumentColors, TheListStopsAt256)
{
    SetTableCount(0, 300);
    for (int i = 0; i < 300; ++i) {
        DrawingObject* o = Object(i);
        std::memset(o, 0, sizeof(*o));
        o->lineColor = RGB(i % 256, i / 256, 1);
        o->fillColor = RGB(i % 256, i / 256, 2);
        o->textRecordId = -1;
    }
    CollectDocumentColors(ViewRecord(), 0);
    std::vector<COLORREF> listed = Listed();
    ASSERT_EQ(256u, listed.size());
    EXPECT_EQ(RGB(0, 0, 1), listed[6]);   // after the six distinct style colours

    // Adding to a full list changes nothing.
    COLORREF more[2] = {RGB(200, 200, 200), RGB(201, 201, 201)};
    EXPECT_EQ(0, AddDocumentColors(ViewRecord(), more, 2));
    EXPECT_EQ(listed, Listed());
}

TEST_F(DocumentColors, AddingIsUndoable)
{
    SetListRaw(1, {RGB(1, 2, 3)});
    ASSERT_EQ(0, BeginCheckpoint(store_));
    COLORREF added[3] = {0x02000000 | RGB(9, 9, 9), RGB(1, 2, 3), RGB(8, 8, 8)};
    ASSERT_EQ(0, AddDocumentColors(ViewRecord(), added, 3));
    EXPECT_EQ((std::vector<COLORREF>{RGB(1, 2, 3), RGB(9, 9, 9), RGB(8, 8, 8)}), Listed());
    ASSERT_EQ(0, SwapCheckpoint(store_, FALSE));
    EXPECT_EQ((std::vector<COLORREF>{RGB(1, 2, 3)}), Listed());
}

TEST_F(DocumentColors, DamagedOrShortListsAreReadSoundly)
{
    struct Row {
        const char* name;
        int count;
        size_t expected;
    };
    const std::vector<Row> rows = {{"count above 256", 5000, 256}, {"negative count", -7, 0}, {"sound", 4, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetListRaw(row.count, std::vector<COLORREF>(256, RGB(5, 5, 5)));
        EXPECT_EQ(row.expected, Listed().size());
    }
    // A list record shorter than its full size is grown when colours are added.
    RecordHandle record = nullptr;
    ASSERT_EQ(0, FindRecord(store_, kDrawingGroup, kDocumentColorListId, &record));
    ASSERT_EQ(0, ResizeRecord(&record, 24));
    auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
    WriteLeI32(bytes + kColorListCount, 200);
    GlobalUnlock(record);
    ReleaseRecord(record);
    EXPECT_EQ(1u, Listed().size());   // only one colour fits the short record
    COLORREF added = RGB(77, 77, 77);
    ASSERT_EQ(0, AddDocumentColors(ViewRecord(), &added, 1));
    ASSERT_EQ(0, FindRecord(store_, kDrawingGroup, kDocumentColorListId, &record));
    EXPECT_EQ(kDocumentColorListBytes, QueryRecordSize(record));
    ReleaseRecord(record);
}

TEST_F(DocumentColors, ThePaletteTakesStandardListAndPictureColoursOnce)
{
    const COLORREF* standard = StandardColors();
    SetListRaw(3, {standard[5], RGB(11, 22, 33), RGB(44, 55, 66)});
    // Two pictures: a metafile whose colour list repeats a listed colour, and a
    // 4-bit DIB whose table holds one new colour among repeats.
    RECT size = {0, 0, 600, 300}, bounds = {0, 0, 10, 10};
    std::vector<uint8_t> bits = WmfBuilder().Record(0x041B, {9, 9, 0, 0}).Bits();
    COLORREF pictureColors[2] = {RGB(11, 22, 33), RGB(123, 45, 67)};
    ASSERT_EQ(0, CreatePictureObject(view_, Drawing(), kMetafilePictureGroup, BlockOf(bits),
                                     static_cast<DWORD>(bits.size()), {100, 100}, &size, &bounds, 2, pictureColors, 0));
    // 8 x 4 pixels: large enough (48 x 24 units) to make an object.
    std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 16 * 4 + 16, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 8;
    header->biHeight = 4;
    header->biPlanes = 1;
    header->biBitCount = 4;
    for (int i = 0; i < 16; ++i) {
        RGBQUAD* entry = reinterpret_cast<RGBQUAD*>(dib.data() + sizeof(BITMAPINFOHEADER)) + i;
        entry->rgbRed = i == 3 ? 250 : 123;
        entry->rgbGreen = i == 3 ? 1 : 45;
        entry->rgbBlue = i == 3 ? 2 : 67;
    }
    POINT at = {800, 800};
    ASSERT_EQ(0, PlaceDibPicture(view_, Drawing(), BlockOf(dib), &at));
    ASSERT_EQ(2, Count());

    ErrorCode code{-1};
    std::vector<COLORREF> palette = Palette(&code);
    EXPECT_EQ(0, code);
    std::vector<COLORREF> expected(standard, standard + kColorTableSize);
    expected.push_back(RGB(11, 22, 33));
    expected.push_back(RGB(44, 55, 66));
    expected.push_back(RGB(123, 45, 67));
    expected.push_back(RGB(250, 1, 2));
    ASSERT_GE(palette.size(), 48u);
    EXPECT_EQ(std::vector<COLORREF>(expected.begin() + 48, expected.end()),
              std::vector<COLORREF>(palette.begin() + 48, palette.end()));
    EXPECT_EQ(expected.size(), palette.size());
}

TEST_F(DocumentColors, AFullListLeavesNoRoomForPictures)
{
    std::vector<COLORREF> many;
    for (int i = 0; i < 256; ++i)
        many.push_back(RGB(i, 3, 200));
    SetListRaw(256, many);
    RECT size = {0, 0, 600, 300}, bounds = {0, 0, 10, 10};
    std::vector<uint8_t> bits = WmfBuilder().Record(0x041B, {9, 9, 0, 0}).Bits();
    COLORREF pictureColor = RGB(1, 1, 1);
    ASSERT_EQ(0, CreatePictureObject(view_, Drawing(), kMetafilePictureGroup, BlockOf(bits),
                                     static_cast<DWORD>(bits.size()), {100, 100}, &size, &bounds, 1, &pictureColor, 0));
    std::vector<COLORREF> palette = Palette();
    ASSERT_EQ(256u, palette.size());
    EXPECT_EQ(RGB(0, 3, 200), palette[48]);
    EXPECT_EQ(RGB(207, 3, 200), palette[255]);
    EXPECT_EQ(palette.end(), std::find(palette.begin(), palette.end(), RGB(1, 1, 1)));
}

TEST_F(DocumentColors, AMissingPictureEndsThePictureStepWithItsError)
{
    CreateRow(1);
    Object(0)->dataGroup = kMetafilePictureGroup;
    Object(0)->dataFirstId = 900;
    Object(0)->dataCount = 1;
    ErrorCode code = kErrNone;
    std::vector<COLORREF> palette = Palette(&code);
    EXPECT_NE(0, code);
    EXPECT_EQ(static_cast<size_t>(kColorTableSize), palette.size());
}

TEST_F(DocumentColors, DibTablesGiveTheirColoursByDepth)
{
    struct Row {
        const char* name;
        int bits;
        DWORD bytes;
        int expected;
    };
    const std::vector<Row> rows = {
        {"1 bit", 1, 40 + 8, 2},
        {"8 bits", 8, 40 + 1024, 256},
        {"24 bits has no table", 24, 40, 0},
        {"a table cut short", 8, 40 + 100, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> dib(row.bytes, 0x55);
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biBitCount = static_cast<WORD>(row.bits);
        std::memcpy(dib.data(), &header, sizeof(header));
        PaletteBuffer palette;
        int count = -1;
        EXPECT_EQ(row.expected, LogPaletteFromDib(&palette, reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), row.bytes,
                                                  &count));
        EXPECT_EQ(row.expected, count);
        EXPECT_EQ(0x300, palette.version);
    }
}

TEST_F(DocumentColors, OnADisplayOfMoreThan256ColoursNoPaletteIsMade)
{
    HPALETTE earlier = CreateHalftonePalette(nullptr);
    HDC dc = GetDC(view_);
    HPALETTE replaced = SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    ReleaseDC(view_, dc);
    WriteViewField(ViewRecord(), kViewPalette, HandleToWord(earlier));
    HGDIOBJ given = replaced ? static_cast<HGDIOBJ>(replaced) : GetStockObject(DEFAULT_PALETTE);
    WriteViewField(ViewRecord(), kViewReplacedPalette, HandleToWord(given));
    EXPECT_EQ(0, RealizeDocumentPalette(view_, ViewRecord()));
    EXPECT_EQ(0, ReadViewField(ViewRecord(), kViewPalette));
    EXPECT_EQ(0, ReadViewField(ViewRecord(), kViewReplacedPalette));
    EXPECT_EQ(0u, GetObjectType(earlier));   // the earlier palette was deleted
}

} // namespace
