#include "libraries/library_thumbnail.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/bitmap_to_dib.h"
#include "common/io_seam.h"
#include "libraries/library_file.h"
#include "libraries/library_frames.h"
#include "libraries/library_layout.h"
#include "libraries/library_names.h"
#include "objects/metafile_playback.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"

HGLOBAL ThumbnailCells = nullptr;

namespace {

const int kPictureInset = 4;

// A copy of the header, its counts brought into range; false when the
// library cannot be used.
bool ReadHeader(int store, LibraryHeader* header)
{
    RecordHandle record = nullptr;
    if (FindRecord(store, kLibraryInfoGroup, kLibraryHeaderId, &record) || QueryRecordSize(record) < kLibraryHeaderSize)
        return false;
    void* locked = GlobalLock(record);
    if (!locked)
        return false;
    std::memcpy(header, RecordPayload<LibraryHeader>(locked), sizeof(*header));
    GlobalUnlock(record);
    return header->magic == kLibraryMagic && SanitizeLibraryHeader(header);
}

bool HasView(int store)
{
    RecordHandle view = nullptr;
    return FindRecord(store, kLibraryInfoGroup, kLibraryViewId, &view) == kErrNone;
}

RECT CellRect(const ThumbnailGrid& grid, int index)
{
    const int left = (index % grid.columns) * grid.cell;
    const int top = (index / grid.columns) * grid.cell;
    return RECT{left, top, left + grid.cell, top + grid.cell};
}

void DrawCell(HDC dc, int store, const VexletRecord& item, const RECT& cell, const FramePens& pens)
{
    HGLOBAL block = nullptr;
    RECT bounds;
    int colorCount = 0;
    int scanFlags = 0;
    DWORD bytes = 0;
    if (LoadPicture(store, kLibraryPictureGroup, item.symbolId, item.furtherChunks + 1, &block, &bounds, &colorCount,
                    nullptr, &scanFlags, &bytes))
        return;
    RECT target = cell;
    InflateRect(&target, -kPictureInset, -kPictureInset);
    FitRectToAspect(&bounds, &target);
    PlaybackState state = {};
    PlayMetafileTransformed(dc, &target, block, &bounds, &state);
    DrawRaisedButtonFrame(dc, cell, pens);
}

HGLOBAL DrawThumbnail(int store, const LibraryHeader& header, const ThumbnailGrid& grid)
{
    const int width = grid.columns * grid.cell;
    const int height = grid.rows * grid.cell;
    HDC screen = GetDC(MainWindow);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(MainWindow, screen);
    HGLOBAL dib = nullptr;
    if (bitmap && dc) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, 1, 1, nullptr);
        SetViewportExtEx(dc, 1, 1, nullptr);
        {
            FramePens pens;
            for (int i = 0; i < header.symbolCount; ++i)
                DrawCell(dc, store, header.items[i], CellRect(grid, i), pens);
            SelectObject(dc, GetStockObject(BLACK_PEN));
        }
        SelectObject(dc, old);
        // Without its bits the library simply has no thumbnail.
        if (BitmapToPackedDib(dc, bitmap, nullptr, &dib) != kErrNone && dib)
            dib = GlobalFree(dib);
    }
    if (dc)
        DeleteDC(dc);
    if (bitmap)
        DeleteObject(bitmap);
    return dib;
}

ErrorCode StoreThumbnail(int store, HGLOBAL dib)
{
    const DWORD size = static_cast<DWORD>(GlobalSize(dib)) + kRecordHeaderBytes;
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kLibraryInfoGroup, kLibraryThumbnailId, &record);
    if (code == kStoreErrNotFound)
        code = CreateRecord(store, kLibraryInfoGroup, kLibraryThumbnailId, size, &record);
    else if (!code)
        code = ResizeRecord(&record, size);
    if (code)
        return code;
    code = CopyBlockToRecord(dib, record);
    if (!code)
        code = SetRecordDirty(record);
    return code;
}

HGLOBAL CopyStoredThumbnail(RecordHandle record)
{
    const DWORD size = QueryRecordSize(record);
    if (size <= kRecordHeaderBytes)
        return nullptr;
    HGLOBAL dib = SeamGlobalAlloc(GMEM_MOVEABLE, size - kRecordHeaderBytes);
    if (dib && CopyRecordToBlock(record, dib)) {
        GlobalFree(dib);
        dib = nullptr;
    }
    return dib;
}

HGLOBAL BuildInWritableFile(const char* path, ThumbnailCellTable* table)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, FALSE))
        return nullptr;
    HGLOBAL dib = BuildLibraryThumbnail(store);
    if (dib && table)
        DiscardError(FillThumbnailCells(store, table), "a preview without tips still shows");
    DiscardError(CloseOrAbandonStore(store), "a thumbnail that could not be written is drawn again next time");
    return dib;
}

} // namespace

HGLOBAL BuildLibraryThumbnail(int store)
{
    LibraryHeader header;
    if (!ReadHeader(store, &header) || !HasView(store))
        return nullptr;
    const ThumbnailGrid grid = ComputeThumbnailGrid(header.symbolCount);
    HGLOBAL dib = DrawThumbnail(store, header, grid);
    if (dib)
        DiscardError(StoreThumbnail(store, dib), "a thumbnail that cannot be kept is drawn again when needed");
    return dib;
}

HGLOBAL GetLibraryThumbnail(const char* path, ThumbnailCellTable* table)
{
    if (table)
        ClearThumbnailCells(table);
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, TRUE))
        return nullptr;
    RecordHandle record = nullptr;
    const ErrorCode code = FindRecord(store, kLibraryInfoGroup, kLibraryThumbnailId, &record);
    if (code == kStoreErrNotFound) {
        DiscardError(CloseOrAbandonStore(store), "the store was only read");
        return BuildInWritableFile(path, table);
    }
    HGLOBAL dib = code ? nullptr : CopyStoredThumbnail(record);
    if (dib && table)
        DiscardError(FillThumbnailCells(store, table), "a preview without tips still shows");
    DiscardError(CloseOrAbandonStore(store), "the store was only read");
    return dib;
}

ErrorCode FillThumbnailCells(int store, ThumbnailCellTable* table)
{
    table->count = 0;
    LibraryHeader header;
    if (!ReadHeader(store, &header))
        return kErrNone;
    const ThumbnailGrid grid = ComputeThumbnailGrid(header.symbolCount);
    table->count = header.symbolCount;
    SetRect(&table->grid, 0, 0, grid.columns * grid.cell, grid.rows * grid.cell);
    for (int i = 0; i < header.symbolCount; ++i) {
        ThumbnailCell& cell = table->cells[i];
        cell.rect = CellRect(grid, i);
        char text[kSymbolTextSize];
        cell.atom = 0;
        if (!ReadSymbolText(store, header.items[i].symbolId, text, sizeof(text)) && text[0]) {
            CutSymbolName(text);
            cell.atom = static_cast<int16_t>(GlobalAddAtomA(text));
        }
    }
    return kErrNone;
}

void ClearThumbnailCells(ThumbnailCellTable* table)
{
    if (!table)
        return;
    for (ThumbnailCell& cell : table->cells) {
        if (cell.atom)
            GlobalDeleteAtom(static_cast<ATOM>(cell.atom));
        cell.atom = 0;
    }
    table->count = 0;
}

void ScaleThumbnailCells(const RECT* rect)
{
    auto* table = ThumbnailCells ? static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells)) : nullptr;
    if (!table)
        return;
    const int gridWidth = table->grid.right - table->grid.left;
    if (!EqualRect(rect, &table->grid) && gridWidth > 0) {
        const double factor = static_cast<double>(rect->right - rect->left) / gridWidth;
        for (int i = 0; i < table->count && i < kMaxLibrarySymbols; ++i) {
            RECT& r = table->cells[i].rect;
            OffsetRect(&r, -table->grid.left, -table->grid.top);
            if (factor != 1.0) {
                r.left = static_cast<LONG>(r.left * factor);
                r.top = static_cast<LONG>(r.top * factor);
                r.right = static_cast<LONG>(r.right * factor);
                r.bottom = static_cast<LONG>(r.bottom * factor);
            }
            OffsetRect(&r, rect->left, rect->top);
        }
        table->grid = *rect;
    }
    GlobalUnlock(ThumbnailCells);
}

int HitTestThumbnailCell(int x, int y)
{
    const auto* table = ThumbnailCells ? static_cast<const ThumbnailCellTable*>(GlobalLock(ThumbnailCells)) : nullptr;
    if (!table)
        return -1;
    int hit = -1;
    const POINT point = {x, y};
    for (int i = 0; i < table->count && i < kMaxLibrarySymbols && hit < 0; ++i)
        if (PtInRect(&table->cells[i].rect, point))
            hit = i;
    GlobalUnlock(ThumbnailCells);
    return hit;
}
