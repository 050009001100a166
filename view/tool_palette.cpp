#include "view/tool_palette.h"

#include <cstdint>
#include <cstring>

#include "common/icon_button.h"
#include "common/info_dialog.h"
#include "objects/app_options.h"
#include "documents/document_window_hooks.h"
#include "view/palette_slots.h"
#include "view/palette_state.h"

int CurrentPaletteTool = kToolSelect;
BOOL PaletteSticky = FALSE;

int StickyHintDone = 0;
int StickyHintTool = 0;
int StickyHintCount = 0;
int TextToolHintShown = 0;
int LineToolHintShown = 0;
int PaletteStyleState = 0;
int PaletteStyleMixed = 0;
int PaletteScriptValue = 0;
int PaletteScriptMixed = 0;
int PaletteSeparatorY = -1;
int PaletteButtonsBottom = 0;

bool PaletteHintsOn()
{
    if (!AppOptions)
        return false;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return (flags & kOptionsHints) != 0;
}

namespace {

HWND ToolButton(int id)
{
    return PaletteWindow && id >= 0 ? GetDlgItem(PaletteWindow, id) : nullptr;
}

// Another tool gives up the library symbol chosen for placing.
void DeselectLibrarySymbol()
{
    if (FrameCalls.deselectSymbol)
        FrameCalls.deselectSymbol();
}

void CountStickyHint(int id)
{
    if (StickyHintDone || !PaletteHintsOn() || id == kToolSelect || id == kToolPlacingSymbol)
        return;
    if (id == kToolText) {
        StickyHintCount = 0;
        return;
    }
    if (id == StickyHintTool) {
        ++StickyHintCount;
    } else {
        StickyHintCount = 0;
        StickyHintTool = id;
    }
    if (StickyHintCount >= 2) {
        ShowInfoDialog("HINT_STICKY", 217);
        StickyHintDone = 1;
    }
}

} // namespace

int SelectPaletteTool(int id)
{
    if (id == kToolUseOver) {
        if (PaletteSticky)
            return 0;
        id = kToolSelect;
    }
    PaletteSticky = FALSE;
    if (CurrentPaletteTool == id) {
        SetIconButtonDown(ToolButton(id), TRUE);
        DeselectLibrarySymbol();
        return id;
    }
    SetIconButtonDown(ToolButton(CurrentPaletteTool), FALSE);
    if (id >= 0) {
        SetIconButtonDown(ToolButton(id), TRUE);
        DeselectLibrarySymbol();
    }
    CurrentPaletteTool = id;
    CountStickyHint(id);
    return id;
}

void SetPaletteSticky(BOOL on)
{
    PaletteSticky = on;
    if (on)
        StickyHintDone = 1;
}

void ShowPaletteButtons(BOOL hide)
{
    if (!PaletteWindow)
        return;
    auto show = [hide](int first, int last) {
        for (int id = first; id <= last; ++id) {
            HWND button = GetDlgItem(PaletteWindow, id);
            if (button)
                ShowWindow(button, hide ? SW_HIDE : SW_SHOWNA);
        }
    };
    show(kToolSelect, kToolLastShape);
    show(kToolBold, kToolSmallerText);
    show(kToolSave, kToolScaleDown);
}

void EditPaletteTool()
{
    if (CurrentPaletteTool < kToolFirstShape || CurrentPaletteTool > kToolLastShape) {
        ShowInfoDialog("INFO_TOOLEDIT", 30030);
        return;
    }
    int slot = PaletteSlotOfTool(CurrentPaletteTool);
    if (!FrameCalls.editToolSlot(slot))
        return;
    PaletteSlot values;
    HWND button = ToolButton(CurrentPaletteTool);
    if (!button || !ReadPaletteSlot(slot, &values))
        return;
    char tip[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), 6112 + values.shapeType, tip, sizeof(tip));
    SetWindowTextA(button, tip);
    SetWindowLongA(button, kIconButtonBitmapWord, 3011 + values.shapeType);
    InvalidateRect(button, nullptr, TRUE);
}
