// The character grid: where its cells lie, which cell a point hits, and the
// character a selection names.
#include <gtest/gtest.h>
#include <windows.h>

#include "frame/character_grid.h"
#include "objects/app_options.h"

namespace {

const char kGridClass[] = "TessaryGridTest";
const int kCellWidth = 9;
const int kCellHeight = 12;

class CharacterGrid : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CharArrayHandler;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kGridClass;
        windowClass.cbWndExtra = kGridWindowBytes;
        RegisterClassA(&windowClass);
        grid_ = CreateWindowA(kGridClass, "", WS_POPUP, 0, 0, 300, 120, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
        ASSERT_NE(nullptr, grid_);
        char characters[225] = {};
        for (int i = 0; i < 224; ++i)
            characters[i] = static_cast<char>(32 + i);
        atom_ = GlobalAddAtomA(characters);
        ASSERT_NE(0, atom_);
        SetWindowLongA(grid_, kGridAtom, atom_);
        SetWindowLongA(grid_, kGridCellWidth, kCellWidth);
        SetWindowLongA(grid_, kGridCellHeight, kCellHeight);
    }
    void TearDown() override
    {
        DestroyWindow(grid_);
        GlobalDeleteAtom(atom_);
    }

    HWND grid_ = nullptr;
    ATOM atom_ = 0;
};

TEST_F(CharacterGrid, CellsRunTwentyEightToARow)
{
    struct Case {
        const char* name;
        int index;
        RECT cell;
    } cases[] = {
        {"first", 0, {1, 1, 10, 13}},
        {"end of the first row", 27, {244, 1, 253, 13}},
        {"start of the second row", 28, {1, 13, 10, 25}},
    };
    for (const Case& c : cases) {
        RECT cell;
        GetCharCellRect(c.index, kCellWidth, kCellHeight, &cell);
        EXPECT_TRUE(EqualRect(&cell, &c.cell) != FALSE) << c.name;
    }
}

TEST_F(CharacterGrid, ASelectedCellNamesItsCharacter)
{
    struct Case {
        const char* name;
        POINT click;
        int character;
    } cases[] = {
        {"'A' in the second row", {5 * kCellWidth + 4, kCellHeight + 6}, 'A'},
        {"a character above 127 comes back as a signed byte", {1 * kCellWidth + 4, 7 * kCellHeight + 6},
         static_cast<signed char>(0xE5)},
    };
    for (const Case& c : cases) {
        SendMessageA(grid_, WM_LBUTTONDOWN, 0, MAKELPARAM(c.click.x, c.click.y));
        EXPECT_EQ(c.character, GetCharArraySelection(grid_)) << c.name;
    }
    EXPECT_EQ(-1, CharCellFromPoint(grid_, 29 * kCellWidth, 5)) << "right of the last column";
}

// Pixels of a white memory picture of the grid that painting darkened.
int DarkPixelsPainted(HWND grid)
{
    const int kWidth = 300;
    const int kHeight = 120;
    const COLORREF kWhite = RGB(255, 255, 255);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PaintCharArray(grid, dc, &all);
    int dark = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            dark += GetPixel(dc, x, y) != kWhite ? 1 : 0;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return dark;
}

TEST_F(CharacterGrid, NothingIsPaintedWithoutAFontOrACellSize)
{
    HGLOBAL savedFonts = SymbolFonts;
    const int savedCount = SymbolFontCount;
    SymbolFonts = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(LOGFONTA));
    ASSERT_NE(nullptr, SymbolFonts);
    if (auto* font = static_cast<LOGFONTA*>(GlobalLock(SymbolFonts))) {
        lstrcpyA(font->lfFaceName, "Arial");
        GlobalUnlock(SymbolFonts);
    }
    struct Case {
        const char* name;
        int fontCount;
        int cellWidth;
        bool painted;
    } cases[] = {
        {"font and cells", 1, kCellWidth, true},
        {"no font", 0, kCellWidth, false},
        {"no cell width", 1, 0, false},
    };
    for (const Case& c : cases) {
        SymbolFontCount = c.fontCount;
        SetWindowLongA(grid_, kGridCellWidth, c.cellWidth);
        EXPECT_EQ(c.painted, DarkPixelsPainted(grid_) > 0) << c.name;
    }
    GlobalFree(SymbolFonts);
    SymbolFonts = savedFonts;
    SymbolFontCount = savedCount;
}

} // namespace
