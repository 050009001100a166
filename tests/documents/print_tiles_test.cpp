#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "documents/footer_dialog.h"
#include "documents/print_footer.h"
#include "documents/print_tiles.h"
#include "resources/dialog_ids.h"

namespace {

const int kPrintableWidth = 4800;
const int kPrintableHeight = 6000;

struct TileCase {
    const char* name;
    RECT bounds;
    int firstColumn;
    int columns;
    int firstRow;
    int rows;
};

const TileCase kTileCases[] = {
    {"three columns for 0..12000", {0, 0, 12000, 100}, 0, 3, 0, 1},
    {"a right edge on 9600 stays in two columns", {0, 0, 9600, 100}, 0, 2, 0, 1},
    {"one unit past a boundary starts a column", {0, 0, 9601, 100}, 0, 3, 0, 1},
    {"a bottom edge on 6000 stays in one row", {100, 100, 200, 6000}, 0, 1, 0, 1},
    {"tiles counted from the drawing's origin", {5000, 7000, 9000, 13000}, 1, 1, 1, 2},
    {"an edge exactly on the first boundary", {4800, 0, 4900, 10}, 1, 1, 0, 1},
    {"two by two", {300, 300, 9000, 11000}, 0, 2, 0, 2},
};

TEST(PrintTiles, BoundsCutIntoRowsAndColumnsOfThePrintableSize)
{
    for (const TileCase& c : kTileCases) {
        PageTiles tiles = {};
        ASSERT_EQ(1, TilesForBounds(c.bounds, kPrintableWidth, kPrintableHeight, &tiles)) << c.name;
        EXPECT_EQ(c.firstColumn, tiles.firstColumn) << c.name;
        EXPECT_EQ(c.columns, tiles.columns) << c.name;
        EXPECT_EQ(c.firstRow, tiles.firstRow) << c.name;
        EXPECT_EQ(c.rows, tiles.rows) << c.name;
    }
}

TEST(PrintTiles, NothingPrintsWithoutObjectsOrPrintableArea)
{
    PageTiles tiles = {};
    EXPECT_EQ(0, TilesForBounds(RECT{0, 0, 0, 0}, kPrintableWidth, kPrintableHeight, &tiles));
    EXPECT_EQ(0, TilesForBounds(RECT{0, 0, 100, 100}, 0, kPrintableHeight, &tiles));
    EXPECT_EQ(0, TilesForBounds(RECT{0, 0, 100, 100}, kPrintableWidth, 0, &tiles));
}

std::vector<int> PagesOf(const PageTiles& tiles, int first, int last, int copies, std::vector<RECT>* rects = nullptr)
{
    std::vector<int> pages;
    for (int copy = 0; copy < copies; ++copy) {
        TileWalk walk(tiles, kPrintableWidth, kPrintableHeight, 0, first, last);
        TilePage page;
        while (walk.Next(&page)) {
            pages.push_back(page.page);
            if (rects)
                rects->push_back(page.tile);
        }
    }
    return pages;
}

struct OrderCase {
    const char* name;
    int columns;
    int rows;
    int first;
    int last;
    int copies;
    std::vector<int> pages;
};

TEST(PrintTiles, PagesPrintAcrossTheRowsInOrderWithCollatedCopies)
{
    const OrderCase cases[] = {
        {"three pages, two copies", 3, 1, 1, kHighestPage, 2, {1, 2, 3, 1, 2, 3}},
        {"two by two, all", 2, 2, 1, kHighestPage, 1, {1, 2, 3, 4}},
        {"pages 2 to 3 of two by two", 2, 2, 2, 3, 1, {2, 3}},
        {"from past the last page", 2, 2, 5, kHighestPage, 1, {}},
        {"only page 4", 2, 2, 4, 4, 1, {4}},
    };
    for (const OrderCase& c : cases) {
        PageTiles tiles = {0, c.rows, 0, c.columns, RECT{0, 0, 1, 1}};
        EXPECT_EQ(c.pages, PagesOf(tiles, c.first, c.last, c.copies)) << c.name;
    }
}

TEST(PrintTiles, PagesTwoToThreeShowTheSecondTileAndTheFirstOfTheNextRow)
{
    PageTiles tiles = {1, 2, 2, 2, RECT{9600, 6000, 19000, 18000}};
    std::vector<RECT> rects;
    ASSERT_EQ((std::vector<int>{2, 3}), PagesOf(tiles, 2, 3, 1, &rects));
    EXPECT_EQ(3 * kPrintableWidth, rects[0].left);
    EXPECT_EQ(1 * kPrintableHeight, rects[0].top);
    EXPECT_EQ(2 * kPrintableWidth, rects[1].left);
    EXPECT_EQ(2 * kPrintableHeight, rects[1].top);
    EXPECT_EQ(kPrintableWidth, rects[1].right - rects[1].left);
}

TEST(PrintTiles, OverlapWidensEachTile)
{
    PageTiles tiles = {0, 1, 0, 2, RECT{0, 0, 9000, 100}};
    TileWalk walk(tiles, kPrintableWidth, kPrintableHeight, 100, 1, kHighestPage);
    TilePage page;
    ASSERT_TRUE(walk.Next(&page));
    EXPECT_EQ(kPrintableWidth + 100, page.tile.right);
    EXPECT_EQ(kPrintableHeight + 100, page.tile.bottom);
}

struct FitCase {
    const char* name;
    RECT bounds;
    bool fits;
    int zoom;
    POINT offset;
};

TEST(PrintTiles, OnePageZoomScalesTheDrawingDownAndCentresIt)
{
    const SIZE available = {kPrintableWidth, kPrintableHeight};
    const FitCase cases[] = {
        // Offsets are in drawing units before scaling: at half size 4800 x
        // 2000 sits 2000 down the page, centred vertically.
        {"twice as wide", {0, 0, 9600, 4000}, true, 500, {0, 4000}},
        {"twice as wide, moved", {1000, 500, 10600, 4500}, true, 500, {-1000, 3500}},
        {"three times as high", {0, 0, 4800, 18000}, true, 330, {4872, 90}},
        {"already fits", {0, 0, 4800, 6000}, false, 0, {0, 0}},
        {"far too big is held at 10", {0, 0, 4800 * 200, 100}, true, 10, {-240000, 299900}},
    };
    for (const FitCase& c : cases) {
        OnePageFit fit = {};
        ASSERT_EQ(c.fits, FitOnOnePage(c.bounds, available, &fit)) << c.name;
        if (!c.fits)
            continue;
        EXPECT_EQ(c.zoom, fit.zoom) << c.name;
        EXPECT_EQ(c.offset.x, fit.offset.x) << c.name;
        EXPECT_EQ(c.offset.y, fit.offset.y) << c.name;
    }
}

TEST(PrintTiles, APageSizedAreaSitsOnThePaperWhereItSitsOnThePage)
{
    ViewRecord view;
    std::memset(&view, 0, sizeof(view));
    view.flags = kViewPageSizedArea;
    view.pageWidth = 5100;
    view.pageHeight = 6600;
    view.drawingWidth = 4800;
    view.drawingHeight = 6000;
    view.deviceMargins = RECT{100, 100, 100, 100};
    PageTiles one = {0, 1, 0, 1, RECT{0, 0, 100, 100}};
    const POINT offset = PageSizedAreaOffset(view, one);
    // The printable area starts 100 from the paper's corner; the drawing 150
    // right and 300 down.
    EXPECT_EQ(150, view.deviceMargins.left - offset.x);
    EXPECT_EQ(300, view.deviceMargins.top - offset.y);
    PageTiles two = {0, 1, 0, 2, RECT{0, 0, 100, 100}};
    EXPECT_EQ(0, PageSizedAreaOffset(view, two).x);
    view.flags = 0;
    EXPECT_EQ(0, PageSizedAreaOffset(view, one).y);
}

TEST(PrintFooter, TextNamesTheDrawingTheTimeAndThePage)
{
    std::tm when = {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 4;
    when.tm_wday = 5;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 7;
    struct {
        const char* name;
        const char* extra;
        int page;
        const char* text;
    } cases[] = {
        {"Untitled 3", "", 1, "Untitled 3 - Fri Dec 04 09:05:07 2026 - Page 1"},
        {"plan.tyr", nullptr, 12, "plan.tyr - Fri Dec 04 09:05:07 2026 - Page 12"},
        {"plan.tyr", "draft", 2, "plan.tyr - draft - Fri Dec 04 09:05:07 2026 - Page 2"},
    };
    for (const auto& c : cases) {
        char text[kFooterTextSize];
        FormatFooterText(c.name, c.extra, when, c.page, text, sizeof(text));
        EXPECT_STREQ(c.text, text);
    }
}

TEST(PrintFooter, PositionRadiosAreZeroAQuarterAndHalfAnInchUp)
{
    const struct {
        int position;
        int radio;
    } cases[] = {{0, IDC_FOOTER_BOTTOM}, {150, IDC_FOOTER_QUARTER_INCH}, {300, IDC_FOOTER_HALF_INCH},
                 {60, IDC_FOOTER_BOTTOM}};
    for (const auto& c : cases)
        EXPECT_EQ(c.radio, FooterRadioFor(c.position)) << c.position;
    EXPECT_EQ(0, FooterPositionFor(IDC_FOOTER_BOTTOM));
    EXPECT_EQ(150, FooterPositionFor(IDC_FOOTER_QUARTER_INCH));
    EXPECT_EQ(300, FooterPositionFor(IDC_FOOTER_HALF_INCH));
}

} // namespace
