#include "libraries/library_frames.h"
#include "libraries/library_layout.h"
#include "libraries/library_names.h"
#include "libraries/library_window.h"

#include <cstring>

#include "common/bitmap_to_dib.h"
#include "common/display_flags.h"
#include "objects/metafile_playback.h"
#include "objects/picture_chunks.h"
#include "objects/packed_dib.h"

int NameCellWidth = 150;
int NameCellHeight = 16;
int LibraryLayoutActive = 0;

namespace {

const int kPictureInset = 4;
const int kDockedOffsetX = 7;
const int kDockedOffsetY = 4;
const int kDockedChrome = 8;
const int kNameOffsetX = 2;
const int kNameOffsetY = 1;
const int kNameSampleLength = 30;
const int kNameCellMargin = 4;

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

struct CellGeometry {
    int width;
    int height;
    int offsetX;
    int offsetY;
};

CellGeometry GeometryOf(int row)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    if (slot.docked)
        return {kDockedCell, kDockedCell, kDockedOffsetX, kDockedOffsetY};
    if (LibraryNamesMode(row))
        return {NameCellWidth, NameCellHeight, 0, 0};
    return {slot.buttonSize, slot.buttonSize, 0, 0};
}

bool IsSelectedItem(int row, int index)
{
    const LibraryHeader* header = RowHeader(row);
    return SelectedLibraryRow == row && header && header->items[index].symbolId == SelectedLibraryItem;
}

void PaintButtonFrames(HDC dc, int row)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    FramePens pens;
    if (slot.docked) {
        RECT client;
        GetClientRect(slot.window, &client);
        SelectObject(dc, pens.highlight);
        Line(dc, 0, 0, client.right, 0);
        SelectObject(dc, pens.shadow);
        Line(dc, 0, client.bottom - 1, client.right, client.bottom - 1);
    }
    for (int i = 0; i < slot.buttonCount; ++i) {
        RECT cell;
        if (GetLibraryButtonRect(row, &cell, i))
            continue;
        if (IsSelectedItem(row, i))
            DrawPressedButtonFrame(dc, cell, pens);
        else
            DrawRaisedButtonFrame(dc, cell, pens);
    }
    SelectObject(dc, GetStockObject(WHITE_PEN));
}

void DrawItemName(HDC dc, int row, const RECT& rect, int id)
{
    char text[kSymbolTextSize];
    if (ReadSymbolText(LibraryWindows[row].store, static_cast<short>(id), text, sizeof(text)) || !text[0])
        return;
    CutSymbolName(text);
    HGDIOBJ old = DefaultUiFont ? SelectObject(dc, DefaultUiFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    TextOutA(dc, rect.left + kNameOffsetX, rect.top + kNameOffsetY, text, static_cast<int>(std::strlen(text)));
    if (old)
        SelectObject(dc, old);
}

} // namespace

void PlaySymbolPicture(HDC dc, const RECT& target, HGLOBAL block, const RECT& bounds)
{
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
    PlaybackState state = {};
    PlayMetafileTransformed(dc, &target, block, &bounds, &state);
    RestoreDC(dc, saved);
}

namespace {

void DrawItemPicture(HDC dc, int row, const RECT& rect, int id, int furtherChunks)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    HGLOBAL block = nullptr;
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    int scanFlags = 0;
    DWORD bytes = 0;
    if (LoadPicture(slot.store, kLibraryPictureGroup, id, furtherChunks + 1, &block, &bounds, &colorCount, nullptr,
                    &scanFlags, &bytes))
        return;
    RECT target = rect;
    InflateRect(&target, -kPictureInset, -kPictureInset);
    FitRectToAspect(&bounds, &target);
    if (slot.palette) {
        SelectPalette(dc, slot.palette, FALSE);
        RealizePalette(dc);
    }
    PlaySymbolPicture(dc, target, block, bounds);
}

void DrawLibraryItem(HDC dc, int row, const RECT& rect, int id, int furtherChunks)
{
    if (LibraryNamesMode(row) && !LibraryWindows[row].docked)
        DrawItemName(dc, row, rect, id);
    else
        DrawItemPicture(dc, row, rect, id, furtherChunks);
}

void SizeWindow(int row, const LibraryGrid& grid, const CellGeometry& cell)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    const int frame = GetSystemMetrics(SM_CYFRAME);
    int width = 0;
    int height = 0;
    if (slot.docked) {
        width = GetSystemMetrics(SM_CXFULLSCREEN);
        height = grid.rows ? grid.rows * kDockedCell + kDockedChrome
                           : 2 * GetSystemMetrics(SM_CYBORDER) + kDockedCell + kDockedChrome;
        slot.windowWidth = width;
        slot.windowHeight = grid.rows * kDockedCell + kDockedChrome;
    } else {
        width = grid.columns * cell.width + 2 * frame;
        const int cellsHeight = (grid.rows ? grid.rows : 1) * cell.height;
        height = 2 * frame + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + cellsHeight;
        slot.windowWidth = width;
        slot.windowHeight = grid.rows * cell.height + 2 * frame;
    }
    SetWindowPos(slot.window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FreeButtonsDib(LibraryWindowSlot& slot)
{
    if (slot.buttonsDib)
        GlobalFree(slot.buttonsDib);
    slot.buttonsDib = nullptr;
}

bool DibHasSize(HGLOBAL dib, int width, int height)
{
    const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    if (!info)
        return false;
    const bool same = info->biWidth == width && info->biHeight == height;
    GlobalUnlock(dib);
    return same;
}

void PaintButtonsDib(int row, const CellGeometry& cell)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    const int width = slot.columns * cell.width;
    const int height = slot.rows * cell.height;
    if (width <= 0 || height <= 0)
        return;
    HDC windowDc = GetDC(slot.window);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HDC dc = CreateCompatibleDC(windowDc);
    ReleaseDC(slot.window, windowDc);
    if (!bitmap || !dc) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    if (slot.palette) {
        SelectPalette(dc, slot.palette, FALSE);
        RealizePalette(dc);
    }
    RECT all = {0, 0, width, height};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &all, face);
    DeleteObject(face);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < slot.buttonCount; ++i) {
        RECT rect;
        if (!GetLibraryButtonRect(row, &rect, i))
            DrawLibraryItem(dc, row, rect, slot.header->items[i].symbolId, slot.header->items[i].furtherChunks);
    }
    SelectObject(dc, oldBitmap);
    // Without its bits the window paints its buttons blank.
    if (BitmapToPackedDib(dc, bitmap, slot.palette, &slot.buttonsDib) != kErrNone && slot.buttonsDib)
        slot.buttonsDib = GlobalFree(slot.buttonsDib);
    DeleteDC(dc);
    DeleteObject(bitmap);
    InvalidateRect(slot.window, nullptr, FALSE);
}

} // namespace

bool LibraryNamesMode(int row)
{
    const LibraryViewBlock* view = RowView(row);
    return view && (view->flags & kLibraryNamesMode);
}

void SetLibraryButtonCount(int row, int count)
{
    if (IsValidLibraryRow(row))
        LibraryWindows[row].buttonCount = count;
}

int FindLibraryItem(int row, int id)
{
    const LibraryHeader* header = RowHeader(row);
    if (!header || id < 0)
        return -1;
    for (int i = 0; i < header->symbolCount; ++i)
        if (header->items[i].symbolId == id)
            return i;
    return -1;
}

int GetLibraryButtonRect(int row, RECT* rect, int index)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    if (index < 0 || index >= slot.buttonCount || slot.columns <= 0)
        return 1;
    const CellGeometry cell = GeometryOf(row);
    const int left = (index % slot.columns) * cell.width + cell.offsetX;
    const int top = (index / slot.columns) * cell.height + cell.offsetY;
    SetRect(rect, left, top, left + cell.width, top + cell.height);
    return 0;
}

void LayoutLibraryWindow(int row, int clientWidth, int clientHeight, bool namesMode, bool force)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (!slot.window)
        return;
    LibraryLayoutActive = 1;
    if (slot.docked)
        namesMode = false;
    const CellGeometry cell = slot.docked ? CellGeometry{kDockedCell, kDockedCell, kDockedOffsetX, kDockedOffsetY}
                              : namesMode ? CellGeometry{NameCellWidth, NameCellHeight, 0, 0}
                                          : CellGeometry{slot.buttonSize, slot.buttonSize, 0, 0};
    LibraryLayoutInput in = {slot.buttonCount, clientWidth, clientHeight, cell.width, cell.height,
                             namesMode ? 1 : kLeastButtonColumns, kFloatingMaxWidth,
                             slot.windowWidth - clientWidth, slot.windowHeight - clientHeight};
    if (slot.docked) {
        const int kDockMargin = 14;
        in.clientWidth = GetSystemMetrics(SM_CXFULLSCREEN) - 2 * GetSystemMetrics(SM_CYBORDER) - kDockMargin;
        in.maxWidth = in.clientWidth;
        in.widthShrink = in.clientWidth;
        in.heightShrink = kDockedCell;
    }
    const LibraryGrid grid = ComputeLibraryLayout(in);
    slot.columns = grid.columns;
    slot.rows = grid.rows;
    SizeWindow(row, grid, cell);
    LibraryLayoutActive = 0;
    const int width = grid.columns * cell.width;
    const int height = grid.rows * cell.height;
    if (slot.buttonsDib && !force && DibHasSize(slot.buttonsDib, width, height))
        return;
    FreeButtonsDib(slot);
    RedrawWindow(slot.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PaintButtonsDib(row, cell);
}

void PaintLibraryWindow(HWND window, int row)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (IsValidLibraryRow(row) && LibraryWindows[row].buttonsDib) {
        LibraryWindowSlot& slot = LibraryWindows[row];
        const int saved = SaveDC(dc);
        if (slot.palette) {
            SelectPalette(dc, slot.palette, FALSE);
            RealizePalette(dc);
        }
        const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(slot.buttonsDib));
        if (info) {
            const RECT place = {0, 0, info->biWidth, info->biHeight};
            GlobalUnlock(slot.buttonsDib);
            DiscardError(DrawDib(dc, &place, slot.buttonsDib), "the background stays when the picture is unusable");
        }
        PaintButtonFrames(dc, row);
        RestoreDC(dc, saved);
    }
    EndPaint(window, &paint);
}

void MeasureNameCell(HWND window)
{
    static const char kSample[] = "012345678901234567890123456789012";
    HDC dc = GetDC(window);
    HGDIOBJ old = DefaultUiFont ? SelectObject(dc, DefaultUiFont) : nullptr;
    SIZE extent = {0, 0};
    if (GetTextExtentPoint32A(dc, kSample, kNameSampleLength, &extent)) {
        NameCellWidth = extent.cx + kNameCellMargin;
        NameCellHeight = extent.cy + kNameCellMargin;
    }
    if (old)
        SelectObject(dc, old);
    ReleaseDC(window, dc);
}

void RefreshLibraryWindow(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (!slot.window || !slot.view)
        return;
    const bool namesMode = LibraryNamesMode(row);
    RECT client;
    GetClientRect(slot.window, &client);
    SIZE size = {client.right, client.bottom};
    if (slot.view->columns && slot.view->rows) {
        const CellGeometry cell = GeometryOf(row);
        size = SIZE{slot.view->columns * cell.width, slot.view->rows * cell.height};
    }
    if (slot.view->paletteCount == 0) {
        CollectLibraryColors(row);
        DiscardError(FlushStore(slot.store, FALSE), "the colours are collected again next time");
    } else {
        BuildLibraryPalette(row);
    }
    LayoutLibraryWindow(row, size.cx, size.cy, namesMode, true);
}

void SetLibraryViewMode(HWND window, int buttonSize, bool namesMode)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !LibraryWindows[row].window || !RowHeader(row))
        return;
    LibraryWindowSlot& slot = LibraryWindows[row];
    const int count = slot.header->symbolCount;
    SetLibraryButtonCount(row, 0);
    slot.buttonSize = buttonSize;
    SetLibraryButtonCount(row, count);
    SIZE size = {buttonSize * slot.columns, buttonSize * slot.rows};
    if (namesMode) {
        slot.columns = 1;
        slot.rows = count;
        size = SIZE{slot.columns * NameCellWidth, slot.rows * NameCellHeight};
    }
    if (slot.view) {
        if (namesMode)
            slot.view->flags |= kLibraryNamesMode;
        else
            slot.view->flags &= static_cast<uint16_t>(~kLibraryNamesMode);
        DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
    }
    LayoutLibraryWindow(row, size.cx, size.cy, namesMode, true);
    if (count > 0 && SelectedLibraryRow == row)
        MarkLibraryItem(row, SelectedLibraryItem);
    if (slot.view) {
        slot.view->buttonSize = static_cast<int16_t>(buttonSize);
        DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
        DiscardError(FlushStore(slot.store, FALSE), "the mode is written when the library closes");
    }
}

void DrawLibraryButtonState(int row, int id, bool pressed)
{
    const int index = FindLibraryItem(row, id);
    RECT cell;
    if (index < 0 || GetLibraryButtonRect(row, &cell, index))
        return;
    HWND window = LibraryWindows[row].window;
    HDC dc = GetDC(window);
    FramePens pens;
    if (pressed)
        DrawPressedButtonFrame(dc, cell, pens);
    else
        DrawRaisedButtonFrame(dc, cell, pens);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    ReleaseDC(window, dc);
}

void MarkLibraryItem(int row, int id)
{
    if (IsValidLibraryRow(SelectedLibraryRow) && LibraryWindows[SelectedLibraryRow].window)
        DrawLibraryButtonState(SelectedLibraryRow, SelectedLibraryItem, false);
    SelectedLibraryRow = row;
    SelectedLibraryItem = id;
    if (IsValidLibraryRow(row) && LibraryWindows[row].window)
        DrawLibraryButtonState(row, id, true);
}
