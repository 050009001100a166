#include "view/fit_editor_box.h"

#include "documents/view_children.h"
#include "objects/view_record.h"
#include "text/ten_messages.h"
#include "text/ten_state_access.h"
#include "view/editor_insets.h"

namespace {

const int kAlignRight = 2;
const int kAlignCentre = 6;
const int kAlignBottom = 8;
const int kObjectText = 1;
const char kEditorClass[] = "TENClass";

bool IsObjectEditor(HWND editor)
{
    char name[16] = "";
    GetClassNameA(editor, name, sizeof(name));
    return lstrcmpiA(name, kEditorClass) == 0 && SendMessageA(editor, TENM_GETROLE, 0, 0) == kObjectText;
}

void GrowAlong(LONG* low, LONG* high, int growth, int alignment, int farAlignment)
{
    if (alignment == farAlignment) {
        *low -= growth;
    } else if (alignment == kAlignCentre) {
        *low -= growth / 2;
        *high += growth - growth / 2;
    } else {
        *high += growth;
    }
}

void KeepInside(LONG* low, LONG* high, int limit)
{
    if (*low < 0) {
        *high -= *low;
        *low = 0;
    }
    if (*high > limit) {
        *low -= *high - limit;
        *high = limit;
    }
}

RECT DeviceRect(HWND view, const RECT& units)
{
    RECT device = units;
    HDC dc = GetDC(view);
    LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
    ReleaseDC(view, dc);
    return device;
}

// The strips of the old window that the new one leaves uncovered.
void RepaintUncovered(HWND view, const RECT& before, const RECT& after)
{
    const RECT strips[] = {
        {before.left, before.top, after.left, before.bottom},
        {after.right, before.top, before.right, before.bottom},
        {before.left, before.top, before.right, after.top},
        {before.left, after.bottom, before.right, before.bottom},
    };
    bool any = false;
    for (const RECT& strip : strips) {
        if (strip.right > strip.left && strip.bottom > strip.top) {
            InvalidateRect(view, &strip, FALSE);
            any = true;
        }
    }
    if (!any)
        return;
    if (ViewRecord* record = LockViewRecord(view)) {
        record->flags |= kViewRepaintBuffered;
        ReleaseViewRecord(view);
    }
    UpdateWindow(view);
}

} // namespace

RECT PlaceEditorBox(const RECT& box, int width, int height, int horizontal, int vertical, int areaWidth,
                    int areaHeight)
{
    RECT placed = box;
    GrowAlong(&placed.left, &placed.right, width - (box.right - box.left), horizontal, kAlignRight);
    GrowAlong(&placed.top, &placed.bottom, height - (box.bottom - box.top), vertical, kAlignBottom);
    KeepInside(&placed.left, &placed.right, areaWidth);
    KeepInside(&placed.top, &placed.bottom, areaHeight);
    return placed;
}

LRESULT FitEditorBox(HWND view, int32_t* size)
{
    HWND editor = GetWindow(view, GW_CHILD);
    if (!editor || !size || !IsObjectEditor(editor))
        return 1;
    int horizontal = static_cast<int>(SendMessageA(editor, TENM_GETALIGNMENT, 0, 0));
    int vertical = static_cast<int>(SendMessageA(editor, TENM_GETVALIGN, 0, 0));
    AdjustEditorInsets(view, editor, size);
    RECT box;
    {
        TenStateLock state(editor);
        if (!state)
            return 1;
        box = RECT{state->originX, state->originY, state->originX + state->live.boxWidth,
                   state->originY + state->live.boxHeight};
        // A turned owner's box grows about its centre, which its turn is about.
        if (state->stateFlags & kTenOwnerRotated)
            horizontal = vertical = kAlignCentre;
    }
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return 1;
    const RECT placed =
        PlaceEditorBox(box, size[0], size[1], horizontal, vertical, record->drawingWidth, record->drawingHeight);
    ReleaseViewRecord(view);
    if (placed.left == box.left && placed.top == box.top)
        return 1;
    RECT before;
    GetWindowRect(editor, &before);
    MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&before), 2);
    const RECT device = DeviceRect(view, placed);
    SetWindowPos(editor, nullptr, device.left, device.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageA(editor, TENM_SETORIGIN, 0, PackTenPair(placed.left, placed.top));
    RepaintUncovered(view, before, device);
    return 1;
}
