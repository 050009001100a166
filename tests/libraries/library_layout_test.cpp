#include <gtest/gtest.h>

#include "libraries/library_layout.h"
#include "libraries/library_names.h"

namespace {

TEST(ThumbnailGrid, CellsFollowTheSymbolCount)
{
    struct Case {
        int symbols;
        int columns;
        int rows;
        int cell;
    };
    const Case cases[] = {{0, 4, 1, 37}, {12, 4, 3, 37}, {24, 4, 6, 33}, {25, 5, 5, 30}, {40, 6, 7, 25}};
    for (const Case& test : cases) {
        const ThumbnailGrid grid = ComputeThumbnailGrid(test.symbols);
        EXPECT_EQ(test.columns, grid.columns) << test.symbols;
        EXPECT_EQ(test.rows, grid.rows) << test.symbols;
        EXPECT_EQ(test.cell, grid.cell) << test.symbols;
    }
}

LibraryLayoutInput Buttons(int count, int width, int height, int cell)
{
    return LibraryLayoutInput{count, width, height, cell, cell, kLeastButtonColumns, kFloatingMaxWidth, 0, 0};
}

TEST(LibraryLayout, EverySymbolKeepsACellWithinTheWidth)
{
    for (int cell : {30, 50, 70}) {
        for (int count : {0, 1, 5, 12, 24, 40}) {
            for (int width : {0, 100, 400, 2000}) {
                for (int height : {0, 60, 500, 3000}) {
                    LibraryLayoutInput in = Buttons(count, width, height, cell);
                    in.widthShrink = (width % 3) - 1;
                    in.heightShrink = (height % 5) - 2;
                    const LibraryGrid grid = ComputeLibraryLayout(in);
                    const std::string where = "cell " + std::to_string(cell) + " count " + std::to_string(count) +
                                              " size " + std::to_string(width) + "x" + std::to_string(height);
                    EXPECT_GE(grid.rows * grid.columns, count) << where;
                    EXPECT_LE(grid.columns * cell, kFloatingMaxWidth) << where;
                    EXPECT_GE(grid.columns, kLeastButtonColumns) << where;
                }
            }
        }
    }
}

TEST(LibraryLayout, EmptyLibraryHasFourColumnsAndNoRows)
{
    const LibraryGrid grid = ComputeLibraryLayout(Buttons(0, 300, 300, 50));
    EXPECT_EQ(4, grid.columns);
    EXPECT_EQ(0, grid.rows);
}

TEST(LibraryLayout, DraggingAnEdgeChoosesRowsOrColumns)
{
    LibraryLayoutInput taller = Buttons(12, 200, 300, 50);
    taller.heightShrink = -100;
    const LibraryGrid byHeight = ComputeLibraryLayout(taller);
    EXPECT_EQ(3, byHeight.rows);
    EXPECT_EQ(4, byHeight.columns);

    LibraryLayoutInput wider = Buttons(12, 300, 100, 50);
    wider.widthShrink = -100;
    const LibraryGrid byWidth = ComputeLibraryLayout(wider);
    EXPECT_EQ(6, byWidth.columns);
    EXPECT_EQ(2, byWidth.rows);
}

TEST(LibraryLayout, NamesModeAllowsOneColumn)
{
    LibraryLayoutInput names = {8, 150, 16 * 8, 150, 16, 1, kFloatingMaxWidth, 0, 0};
    const LibraryGrid grid = ComputeLibraryLayout(names);
    EXPECT_EQ(1, grid.columns);
    EXPECT_EQ(8, grid.rows);
}

TEST(LibraryLayout, LeastColumnsWiderThanTheLimitEndsTheLayout)
{
    // A large interface font makes four name cells wider than 640 pixels.
    LibraryLayoutInput wide = {10, 2000, 50, 400, 16, kLeastButtonColumns, kFloatingMaxWidth, 0, 0};
    const LibraryGrid grid = ComputeLibraryLayout(wide);
    EXPECT_EQ(kLeastButtonColumns, grid.columns);
    EXPECT_GE(grid.rows * grid.columns, 10);
}

TEST(FitRectToAspect, CentresTheSourceAspect)
{
    struct Case {
        RECT source;
        RECT expected;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, {0, 0, 40, 40}},
        {{0, 0, 100, 50}, {0, 10, 40, 30}},
        {{0, 0, 50, 100}, {10, 0, 30, 40}},
    };
    for (const Case& test : cases) {
        RECT rect = {0, 0, 40, 40};
        FitRectToAspect(&test.source, &rect);
        EXPECT_TRUE(EqualRect(&test.expected, &rect)) << rect.left << "," << rect.top << "," << rect.right << ","
                                                      << rect.bottom;
    }
}

TEST(KeywordMatch, KeywordStartsAWordOfTheText)
{
    struct Case {
        const char* text;
        const char* keyword;
        bool matches;
    };
    const Case cases[] = {
        {"network hub", "net", true},
        {"lan;token,network", "net", true},
        {"ethernet", "net", false},
        {"subnet net", "net", false},
        {"router;wan lan", "lan", true},
        {"network hub", "Net", false},
        {"network hub", "", false},
    };
    for (const Case& test : cases)
        EXPECT_EQ(test.matches, TextMatchesKeyword(test.text, test.keyword)) << test.text << " / " << test.keyword;
}

} // namespace
