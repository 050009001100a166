#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "libraries/library_names.h"
#include "libraries/library_thumbnail.h"
#include "store/record_store.h"
#include "support/library_fixture.h"
#include "support/test_paths.h"

namespace {

struct DibSize {
    LONG width;
    LONG height;
};

DibSize SizeOf(HGLOBAL dib)
{
    const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    const DibSize size = {info->biWidth, info->biHeight};
    GlobalUnlock(dib);
    return size;
}

std::vector<uint8_t> BytesOf(HGLOBAL dib)
{
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(dib));
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    std::vector<uint8_t> copy(bytes, bytes + info->biSize + info->biSizeImage);
    GlobalUnlock(dib);
    return copy;
}

bool HasThumbnailRecord(const std::string& path)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path.c_str(), &store, 0, &secondWord, TRUE))
        return false;
    RecordHandle record = nullptr;
    const bool found = FindRecord(store, kLibraryInfoGroup, kLibraryThumbnailId, &record) == kErrNone;
    DiscardError(CloseOrAbandonStore(store), "the test reads only");
    return found;
}

TEST(LibraryThumbnail, GridSizeFollowsTheSymbolCount)
{
    struct Case {
        int symbols;
        DibSize size;
    };
    const Case cases[] = {{0, {148, 37}}, {12, {148, 111}}, {25, {150, 150}}, {40, {150, 175}}};
    for (const Case& test : cases) {
        LibraryFixture fixture;
        fixture.symbols = test.symbols;
        const std::string path = WriteLibraryFixture(ScratchPath("thumb.vxl"), fixture);
        ASSERT_FALSE(HasThumbnailRecord(path));
        HGLOBAL dib = GetLibraryThumbnail(path.c_str(), nullptr);
        ASSERT_NE(nullptr, dib) << test.symbols;
        EXPECT_EQ(test.size.width, SizeOf(dib).width) << test.symbols;
        EXPECT_EQ(test.size.height, SizeOf(dib).height) << test.symbols;
        GlobalFree(dib);
        EXPECT_TRUE(HasThumbnailRecord(path)) << "the thumbnail is kept in the file";
    }
}

// Distinct colours in a cell of a 24-bit thumbnail.
int ColoursInCell(HGLOBAL dib, const RECT& cell)
{
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(dib));
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const int stride = ((info->biWidth * 24 + 31) / 32) * 4;
    std::vector<uint32_t> seen;
    for (LONG y = cell.top; y < cell.bottom; ++y)
        for (LONG x = cell.left; x < cell.right; ++x) {
            const uint8_t* p = bytes + info->biSize + (info->biHeight - 1 - y) * stride + x * 3;
            const uint32_t colour = p[0] | (p[1] << 8) | (p[2] << 16);
            if (std::find(seen.begin(), seen.end(), colour) == seen.end())
                seen.push_back(colour);
        }
    GlobalUnlock(dib);
    return static_cast<int>(seen.size());
}

TEST(LibraryThumbnail, UnreadablePictureLeavesItsCellEmptyAndUnframed)
{
    LibraryFixture fixture;
    fixture.symbols = 4;
    fixture.editHeader = [](LibraryHeader* header) { header->items[2].symbolId = 900; };
    const std::string path = WriteLibraryFixture(ScratchPath("hole.vxl"), fixture);
    HGLOBAL dib = GetLibraryThumbnail(path.c_str(), nullptr);
    ASSERT_NE(nullptr, dib);
    EXPECT_GT(ColoursInCell(dib, RECT{37, 0, 74, 37}), 2) << "a framed picture";
    EXPECT_EQ(1, ColoursInCell(dib, RECT{74, 0, 111, 37})) << "the unreadable symbol's cell";
    GlobalFree(dib);
}

TEST(LibraryThumbnail, KeptThumbnailIsShownAgainAsStored)
{
    LibraryFixture fixture;
    fixture.symbols = 6;
    const std::string path = WriteLibraryFixture(ScratchPath("kept.vxl"), fixture);
    HGLOBAL built = GetLibraryThumbnail(path.c_str(), nullptr);
    HGLOBAL stored = GetLibraryThumbnail(path.c_str(), nullptr);
    ASSERT_NE(nullptr, built);
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ(BytesOf(built), BytesOf(stored));
    GlobalFree(built);
    GlobalFree(stored);
}

TEST(LibraryThumbnail, CellsNameTheirSymbolsAndFollowTheScaledPreview)
{
    LibraryFixture fixture;
    fixture.symbols = 12;
    const std::string path = WriteLibraryFixture(ScratchPath("cells.vxl"), fixture);
    ThumbnailCells = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ThumbnailCellTable));
    auto* table = static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells));
    HGLOBAL dib = GetLibraryThumbnail(path.c_str(), table);
    ASSERT_NE(nullptr, dib);
    GlobalFree(dib);
    ASSERT_EQ(12, table->count);
    const RECT grid = {0, 0, 148, 111};
    EXPECT_TRUE(EqualRect(&grid, &table->grid));
    char name[64] = "";
    GlobalGetAtomNameA(static_cast<ATOM>(table->cells[5].atom), name, sizeof(name));
    EXPECT_STREQ("Symbol 5", name);
    GlobalUnlock(ThumbnailCells);

    EXPECT_EQ(5, HitTestThumbnailCell(40, 40));
    const RECT half = {10, 20, 84, 76};
    ScaleThumbnailCells(&half);
    ScaleThumbnailCells(&half);
    struct Hit {
        int x;
        int y;
        int cell;
    };
    const Hit hits[] = {{10, 20, 0}, {30, 40, 5}, {82, 74, 11}, {9, 20, -1}, {100, 40, -1}};
    for (const Hit& hit : hits)
        EXPECT_EQ(hit.cell, HitTestThumbnailCell(hit.x, hit.y)) << hit.x << "," << hit.y;

    table = static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells));
    ClearThumbnailCells(table);
    EXPECT_EQ(0, table->count);
    EXPECT_EQ(0, table->cells[5].atom);
    GlobalUnlock(ThumbnailCells);
    GlobalFree(ThumbnailCells);
    ThumbnailCells = nullptr;
    EXPECT_EQ(-1, HitTestThumbnailCell(30, 40));
}

TEST(LibraryThumbnail, KeywordsOfALibraryFile)
{
    LibraryFixture fixture;
    fixture.symbols = 3;
    const std::string path = WriteLibraryFixture(ScratchPath("keys.vxl"), fixture);
    const char* const present[] = {"nothing", "key2"};
    const char* const absent[] = {"ey1", "symbol 9"};
    EXPECT_TRUE(LibraryMatchesKeywords(path.c_str(), present, 2));
    EXPECT_FALSE(LibraryMatchesKeywords(path.c_str(), absent, 2));
    EXPECT_FALSE(LibraryMatchesKeywords(ScratchPath("none.vxl").c_str(), present, 2));
}

} // namespace
