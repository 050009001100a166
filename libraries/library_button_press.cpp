// A symbol button held down: pressed while the pointer stays on it, handed
// to the active drawing view as a placing when the pointer reaches that
// view, and chosen as the placing tool when it is let go anywhere else.
#include "libraries/library_window.h"
#include "libraries/library_windows.h"

#include "libraries/library_table.h"
#include "objects/drawing_layout.h"
#include "objects/shape_types.h"
#include "objects/view_record_word.h"
#include "view/tracking_entry.h"
#include "view/view_under_pointer.h"

namespace {

bool LibraryButtonPressed = false;
int PressedLibraryItem = -1;
RECT PressedButtonRect = {0, 0, 0, 0};

} // namespace

bool LibraryButtonHeld()
{
    return LibraryButtonPressed;
}

int PressLibraryButton(HWND window, POINT point)
{
    const int row = GetLibraryRow(window);
    const int index = IsValidLibraryRow(row) ? LibraryButtonIndexAt(row, point) : -1;
    if (index < 0 || GetLibraryButtonRect(row, &PressedButtonRect, index))
        return -1;
    PressedLibraryItem = RowHeader(row)->items[index].symbolId;
    LibraryButtonPressed = true;
    SetCapture(window);
    DrawLibraryButtonState(row, PressedLibraryItem, true);
    return PressedLibraryItem;
}

void TrackPressedLibraryButton(HWND window, POINT point)
{
    const int row = GetLibraryRow(window);
    if (!LibraryButtonPressed || !IsValidLibraryRow(row))
        return;
    const bool inside = PtInRect(&PressedButtonRect, point) != FALSE;
    DrawLibraryButtonState(row, PressedLibraryItem, inside);
    if (!inside)
        DragVexletToView(window, PressedLibraryItem);
}

void ReleaseLibraryButton(HWND window)
{
    if (!LibraryButtonPressed)
        return;
    const int row = GetLibraryRow(window);
    if (IsValidLibraryRow(row))
        DrawLibraryButtonState(row, PressedLibraryItem, false);
    LibraryButtonPressed = false;
    if (GetCapture() == window)
        ReleaseCapture();
    // Every press chooses its symbol, wherever the button is let go.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(PressedLibraryItem, 0), 0);
}

void DragVexletToView(HWND window, int id)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || FindLibraryItem(row, id) < 0)
        return;
    POINT client;
    HWND view = ActiveViewUnderPointer(&client);
    if (!view)
        return;
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    if (SelectedLibraryRow != row || SelectedLibraryItem != id)
        SelectLibraryItem(row, id);
    SIZE size;
    HGLOBAL handle = GetViewRecordHandle(view);
    void* viewRecord = handle ? GlobalLock(handle) : nullptr;
    if (!viewRecord || !PlacingSymbolSize(&size)) {
        if (viewRecord)
            GlobalUnlock(handle);
        return;
    }
    GlobalUnlock(handle);   // the view keeps the block; the tracking reads it through the view
    BeginPlaceTracking(view, viewRecord, client.x, client.y, kKindShape, -1, kShapePicture, size);
}
