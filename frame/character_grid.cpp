#include "frame/character_grid.h"

#include <cstring>

#include "objects/app_options.h"

namespace {

const int kMaxCharacters = 261;
// A character stands one pixel below its cell's top, a little smaller than it.
const int kCharacterMargin = 6;

int Word(HWND window, int offset)
{
    return static_cast<int>(GetWindowLongA(window, offset));
}

int GridCharacters(HWND window, char* text)
{
    text[0] = '\0';
    const ATOM atom = static_cast<ATOM>(Word(window, kGridAtom) & 0xFFFF);
    if (atom)
        GlobalGetAtomNameA(atom, text, kMaxCharacters + 1);
    return static_cast<int>(std::strlen(text));
}

HFONT GridFont(HWND window)
{
    const int index = Word(window, kGridFontIndex);
    if (!SymbolFonts || index < 0 || index >= SymbolFontCount)
        return nullptr;
    auto* fonts = static_cast<LOGFONTA*>(GlobalLock(SymbolFonts));
    if (!fonts)
        return nullptr;
    fonts[index].lfHeight = kCharacterMargin - Word(window, kGridCellHeight);
    fonts[index].lfWidth = 0;
    HFONT font = CreateFontIndirectA(&fonts[index]);
    GlobalUnlock(SymbolFonts);
    return font;
}

void InvertCell(HWND window, HDC dc, int index)
{
    RECT cell;
    GetCharCellRect(index, Word(window, kGridCellWidth), Word(window, kGridCellHeight), &cell);
    InvertRect(dc, &cell);
}

void DrawGridLines(HDC dc, const RECT* paint, int cellWidth, int cellHeight, int rows)
{
    for (int k = 1; k < kGridColumns; ++k) {
        MoveToEx(dc, cellWidth * k, paint->top, nullptr);
        LineTo(dc, cellWidth * k, paint->bottom);
    }
    for (int k = 1; k < rows; ++k) {
        MoveToEx(dc, paint->left, cellHeight * k, nullptr);
        LineTo(dc, paint->right, cellHeight * k);
    }
}

void Notify(HWND window, int code)
{
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
}

} // namespace

void GetCharCellRect(int index, int cellWidth, int cellHeight, RECT* rect)
{
    rect->left = (index % kGridColumns) * cellWidth + 1;
    rect->top = (index / kGridColumns) * cellHeight + 1;
    rect->right = rect->left + cellWidth;
    rect->bottom = rect->top + cellHeight;
}

int CharCellFromPoint(HWND window, int x, int y)
{
    char text[kMaxCharacters + 1];
    const int length = GridCharacters(window, text);
    const POINT point = {x, y};
    for (int i = 0; i < length; ++i) {
        RECT cell;
        GetCharCellRect(i, Word(window, kGridCellWidth), Word(window, kGridCellHeight), &cell);
        if (PtInRect(&cell, point))
            return i;
    }
    return -1;
}

void SelectCharArrayCell(HWND window, LPARAM point)
{
    const int hit = CharCellFromPoint(window, static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
    const int selected = Word(window, kGridSelected);
    if (hit < 0 || hit == selected)
        return;
    HDC dc = GetDC(window);
    InvertCell(window, dc, selected);
    InvertCell(window, dc, hit);
    ReleaseDC(window, dc);
    SetWindowLongA(window, kGridSelected, hit);
}

void PaintCharArray(HWND window, HDC dc, const RECT* paint)
{
    HFONT font = GridFont(window);
    const int cellWidth = Word(window, kGridCellWidth);
    const int cellHeight = Word(window, kGridCellHeight);
    if (!(Word(window, kGridAtom) & 0xFFFF) || !font || !cellWidth || !cellHeight) {
        if (font)
            DeleteObject(font);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    char text[kMaxCharacters + 1];
    const int length = GridCharacters(window, text);
    const int rows = (length + kGridColumns - 1) / kGridColumns;
    DrawGridLines(dc, paint, cellWidth, cellHeight, rows);
    SelectObject(dc, font);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < length; ++i) {
        RECT cell;
        GetCharCellRect(i, cellWidth, cellHeight, &cell);
        TextOutA(dc, (cell.left + cell.right) / 2, cell.top + 1, &text[i], 1);
    }
    InvertCell(window, dc, Word(window, kGridSelected));
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    DeleteObject(font);
}

int GetCharArraySelection(HWND window)
{
    char text[kMaxCharacters + 1];
    const int length = GridCharacters(window, text);
    const int selected = Word(window, kGridSelected);
    if (selected < 0 || selected >= length)
        return 0;
    return static_cast<signed char>(text[selected]);
}

LRESULT CALLBACK CharArrayHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintCharArray(window, dc, &paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SelectCharArrayCell(window, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        Notify(window, kGridDoubleClicked);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
