#include "libraries/library_layout.h"
#include "libraries/library_window.h"
#include "libraries/library_windows.h"

#include <cstdio>

#include "common/app_globals.h"
#include "common/pattern_brushes.h"
#include "documents/view_children.h"
#include "objects/view_record.h"
#include "documents/attached_library_atom.h"
#include "view/view_layout.h"

namespace {

const int kDockBand = 30;
const int kDockBandInset = 3;
const int kDetachGap = 20;
const int kOutlineAbovePointer = 10;
const int kDitherBrush = 0;
const int kTitleSize = 262;

// One window moves at a time, so one set of move state serves them all.
struct MoveState {
    bool active = false;
    HWND sourceParent = nullptr;
    POINT pressPoint = {0, 0};
    POINT lastPoint = {0, 0};
    RECT startRect = {0, 0, 0, 0};
    RECT rect = {0, 0, 0, 0};
    HWND dockTarget = nullptr;
    bool feedbackShown = false;
};

MoveState Move;

void DrawXorFrame(HDC dc, const RECT& r, int t)
{
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    PatBlt(dc, r.left, r.top, width, t, PATINVERT);
    PatBlt(dc, r.right - t, r.top + t, t, height - t, PATINVERT);
    PatBlt(dc, r.left + t, r.bottom - t, width - 2 * t, t, PATINVERT);
    PatBlt(dc, r.left, r.top + t, t, height - t, PATINVERT);
}

void InvertFeedback(const RECT& rect, int thickness)
{
    HDC dc = GetDC(nullptr);
    HBRUSH brush = PatternBrushes[kDitherBrush] ? PatternBrushes[kDitherBrush]
                                                : static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    HGDIOBJ old = SelectObject(dc, brush);
    DrawXorFrame(dc, rect, thickness);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

int FeedbackThickness(HWND dockTarget)
{
    return dockTarget ? 1 : GetSystemMetrics(SM_CXFRAME);
}

POINT ClampedPointer()
{
    POINT pointer;
    GetCursorPos(&pointer);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    POINT origin = {0, 0};
    if (MainWindow && GetWindowPlacement(MainWindow, &placement))
        origin = placement.ptMaxPosition;
    const int right = origin.x + GetSystemMetrics(SM_CXFULLSCREEN);
    const int bottom = origin.y + GetSystemMetrics(SM_CYFULLSCREEN);
    pointer.x = pointer.x < origin.x ? origin.x : pointer.x > right ? right : pointer.x;
    pointer.y = pointer.y < origin.y ? origin.y : pointer.y > bottom ? bottom : pointer.y;
    return pointer;
}

// The document window under the pointer when it can take the library, and
// its dock band in screen coordinates.
HWND DockTargetAt(POINT pointer, RECT* band)
{
    if (!MdiClientWindow)
        return nullptr;
    POINT inClient = pointer;
    ScreenToClient(MdiClientWindow, &inClient);
    HWND document = ChildWindowFromPoint(MdiClientWindow, inClient);
    if (!document || document == MdiClientWindow || GetParent(document) != MdiClientWindow)
        return nullptr;
    HWND view = DocumentViewOf(document);
    if (!view || (DockedBarOf(view) && document != Move.sourceParent))
        return nullptr;
    RECT client;
    GetClientRect(document, &client);
    POINT inDocument = pointer;
    ScreenToClient(document, &inDocument);
    if (!PtInRect(&client, inDocument))
        return nullptr;
    int bandHeight = kDockBand;
    HWND ruler = HorizontalRulerOf(view);
    if (ruler && IsWindowVisible(ruler)) {
        RECT rulerRect;
        GetClientRect(ruler, &rulerRect);
        bandHeight += rulerRect.bottom;
    }
    SetRect(band, client.left, client.top, client.right, bandHeight);
    InflateRect(band, -kDockBandInset, -kDockBandInset);
    MapWindowPoints(document, nullptr, reinterpret_cast<POINT*>(band), 2);
    return document;
}

void Relayout(HWND document)
{
    if (document)
        DiscardError(RelayoutDocumentWindow(document), "a window left at its old layout still works");
}

// Replaces the row's window by a new one; false leaves everything as it was.
bool ReplaceWindow(HWND old, HWND made)
{
    if (!made)
        return false;
    const int row = GetLibraryRow(old);
    SetLibraryRow(old, kLibraryCreateNoRow);
    DestroyWindow(old);
    SetLibraryRow(made, row);
    LibraryWindows[row].window = made;
    return true;
}

void Undock(HWND window, const RECT& place)
{
    const int row = GetLibraryRow(window);
    char title[kTitleSize] = "";
    GetWindowTextA(window, title, sizeof(title));
    HWND document = GetParent(window);
    HWND made = CreateWindowExA(0, kLibraryClassName, title, kFloatingLibraryStyle,
                                place.left, place.top, place.right - place.left, place.bottom - place.top, MainWindow,
                                nullptr, AppInstance, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(kLibraryCreateNoRow)));
    if (!ReplaceWindow(window, made))
        return;
    LibraryWindows[row].docked = 0;
    SetWindowPos(made, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    Relayout(document);
    AttachLibraryToDocument(document, kNoLibraryRow);
    ShowWindow(made, SW_SHOW);
    SavedLibraryWindow* entry = LibraryEntry(row);
    if (entry)
        entry->open = 1;
}

void Dock(HWND window, HWND target)
{
    const int row = GetLibraryRow(window);
    char title[kTitleSize] = "";
    GetWindowTextA(window, title, sizeof(title));
    RECT client;
    GetClientRect(target, &client);
    HWND oldDocument = LibraryWindows[row].docked ? GetParent(window) : nullptr;
    HWND made = CreateWindowExA(0, kLibraryClassName, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                client.right, kDockBand, target, nullptr, AppInstance,
                                reinterpret_cast<LPVOID>(static_cast<INT_PTR>(kLibraryCreateNoRow)));
    if (!ReplaceWindow(window, made))
        return;
    if (oldDocument) {
        Relayout(oldDocument);
        AttachLibraryToDocument(oldDocument, kNoLibraryRow);
    }
    LibraryWindowSlot& slot = LibraryWindows[row];
    slot.docked = 1;
    if (slot.view) {
        slot.view->flags &= static_cast<uint16_t>(~kLibraryNamesMode);
        DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
    }
    SetWindowPos(made, nullptr, 0, 0, client.right + 1, kDockBand, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    Relayout(target);
    AttachLibraryToDocument(target, row);
    SavedLibraryWindow* entry = LibraryEntry(row);
    if (entry)
        entry->open = 0;
}

} // namespace

bool LibraryMoving()
{
    return Move.active;
}

RECT GetFloatingRectAtPoint(int row, int x, int y)
{
    const int n = RowHeader(row) ? RowHeader(row)->symbolCount : 0;
    const int kSquareFrom = 25;
    int columns = kLeastButtonColumns;
    if (n >= kSquareFrom) {
        columns = 1;
        while ((columns + 1) * (columns + 1) <= n)
            ++columns;
    }
    int rows = (n + columns - 1) / columns;
    if (rows < 1)
        rows = 1;
    const int size = RowView(row) ? RowView(row)->buttonSize : kMediumButtons;
    const int frame = GetSystemMetrics(SM_CYFRAME);
    const int half = (columns * size + 2 * frame) / 2;
    const int top = y - kOutlineAbovePointer;
    return RECT{x - half, top, x + half,
                top + 2 * frame + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYCAPTION) + rows * size};
}

void BeginLibraryMove(HWND window, POINT screenPress)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row))
        return;
    SetCapture(window);
    Move.active = true;
    Move.pressPoint = Move.lastPoint = screenPress;
    if (LibraryWindows[row].docked) {
        Move.sourceParent = GetParent(window);
        Move.rect = GetFloatingRectAtPoint(row, screenPress.x, screenPress.y);
    } else {
        Move.sourceParent = nullptr;
        GetWindowRect(window, &Move.rect);
    }
    Move.startRect = Move.rect;
    Move.feedbackShown = false;
    Move.dockTarget = Move.sourceParent;
}

void TrackLibraryWindowMove(HWND)
{
    const POINT pointer = ClampedPointer();
    const RECT oldRect = Move.rect;
    const int oldThickness = FeedbackThickness(Move.dockTarget);
    RECT band;
    HWND target = DockTargetAt(pointer, &band);
    if (target && target == Move.dockTarget && Move.feedbackShown)
        return;
    if (Move.feedbackShown)
        InvertFeedback(oldRect, oldThickness);
    if (target) {
        Move.rect = band;
    } else {
        Move.rect = Move.startRect;
        OffsetRect(&Move.rect, pointer.x - Move.pressPoint.x, pointer.y - Move.pressPoint.y);
    }
    Move.dockTarget = target;
    InvertFeedback(Move.rect, FeedbackThickness(Move.dockTarget));
    Move.lastPoint = pointer;
    Move.feedbackShown = true;
}

void EndLibraryWindowMove(HWND window)
{
    Move.active = false;
    if (Move.feedbackShown)
        InvertFeedback(Move.rect, FeedbackThickness(Move.dockTarget));
    Move.feedbackShown = false;
    const int row = GetLibraryRow(window);
    if (IsValidLibraryRow(row)) {
        if (!Move.dockTarget && LibraryWindows[row].docked) {
            Undock(window, Move.rect);
        } else if (!Move.dockTarget) {
            RECT rect;
            GetWindowRect(window, &rect);
            SetWindowPos(window, nullptr, rect.left + Move.lastPoint.x - Move.pressPoint.x,
                         rect.top + Move.lastPoint.y - Move.pressPoint.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (Move.dockTarget != Move.sourceParent) {
            Dock(window, Move.dockTarget);
        }
    }
    Move.dockTarget = nullptr;
    Move.sourceParent = nullptr;
}

void DetachLibraryToolbar(HWND window)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !LibraryWindows[row].docked)
        return;
    RECT bar;
    GetWindowRect(window, &bar);
    Undock(window, GetFloatingRectAtPoint(row, (bar.left + bar.right) / 2, bar.bottom + kDetachGap));
}

void AttachLibraryToDocument(HWND document, int row)
{
    char path[2 * kOptionsPathSize] = "";
    if (row >= 0)
        LibraryEntryPath(row, path, sizeof(path));
    HWND view = document ? DocumentViewOf(document) : nullptr;
    ViewRecord* record = view ? LockViewRecord(view) : nullptr;
    if (!record)
        return;
    char held[2 * kOptionsPathSize] = "";
    char last[2 * kOptionsPathSize] = "";
    if (record->libraryAtom)
        GlobalGetAtomNameA(record->libraryAtom, held, sizeof(held));
    if (AttachedLibraryAtom)
        GlobalGetAtomNameA(AttachedLibraryAtom, last, sizeof(last));
    const bool heldLast = !record->libraryAtom || (AttachedLibraryAtom && lstrcmpiA(held, last) == 0);
    if (record->libraryAtom)
        GlobalDeleteAtom(record->libraryAtom);
    if (heldLast && AttachedLibraryAtom) {
        GlobalDeleteAtom(AttachedLibraryAtom);
        AttachedLibraryAtom = 0;
    }
    record->libraryAtom = 0;
    if (row >= 0 && path[0]) {
        record->libraryAtom = GlobalAddAtomA(path);
        if (heldLast)
            AttachedLibraryAtom = GlobalAddAtomA(path);
    }
    record->flags |= kViewModified;
    ReleaseViewRecord(view);
}
