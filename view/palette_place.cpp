// A tool button dragged out of the palette onto the active drawing view: the
// tool's object follows the pointer at the slot's size.
#include "common/icon_button.h"
#include "view/palette_slots.h"
#include "view/selection_access.h"
#include "view/tool_palette.h"
#include "view/tracking_entry.h"
#include "view/view_under_pointer.h"
#include "objects/view_record_word.h"

void PlacePaletteToolObject(int id)
{
    POINT pointer;
    HWND view = ActiveViewUnderPointer(&pointer);
    if (!view)
        return;
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    HWND button = PaletteWindow ? GetDlgItem(PaletteWindow, id) : nullptr;
    if (button)
        SendMessageA(button, WM_COMMAND, kIconCancelPress, 0);
    PaletteSlot slot;
    if (!ReadPaletteSlot(PaletteSlotOfTool(id), &slot))
        return;
    SIZE size = {slot.width, slot.height};
    int type = slot.shapeType;
    // Ctrl turns the auto connecting line upright.
    if (id == kToolAutoConnector && GetKeyState(VK_CONTROL) < 0) {
        type = 2;
        size = {slot.height, slot.width};
    }
    void* viewRecord = GlobalLock(viewHandle);
    BeginPlaceTracking(view, viewRecord, pointer.x, pointer.y, slot.kind, PaletteSlotOfTool(id), type, size);
    GlobalUnlock(viewHandle);
}
