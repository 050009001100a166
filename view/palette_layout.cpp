// Sizing and placing the palette's buttons from the template's first button of
// each row.
#include "view/tool_palette.h"

#include "common/icon_button.h"
#include "view/palette_slots.h"

namespace {

const int kButtonSize = 23;
const int kGroupGap = 7;

RECT ChildRect(HWND palette, HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, palette, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SetButton(HWND button, int bitmap, LONG style)
{
    SetWindowLongA(button, kIconButtonBitmapWord, bitmap);
    SetWindowLongA(button, kIconButtonStyleWord, style);
}

void Place(HWND button, int x, int y, int width, int height)
{
    SetWindowPos(button, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOutToolRow(HWND palette)
{
    HWND first = GetDlgItem(palette, kToolSelect);
    if (!first)
        return;
    RECT start = ChildRect(palette, first);
    int x = start.left;
    for (int id = kToolSelect; id <= kToolLastShape; ++id) {
        HWND button = GetDlgItem(palette, id);
        if (id > kToolSelect)
            x += kButtonSize + ((id == kToolStraightLine || id == kToolFirstShape) ? kGroupGap : 0);
        if (!button)
            continue;
        Place(button, x, start.top, kButtonSize, kButtonSize);
        int bitmap = id + 2899;
        PaletteSlot slot;
        if (id >= kToolFirstShape && ReadPaletteSlot(PaletteSlotOfTool(id), &slot)) {
            char tip[256] = "";
            LoadStringA(GetModuleHandleA(nullptr), 6112 + slot.shapeType, tip, sizeof(tip));
            SetWindowTextA(button, tip);
            bitmap = 3011 + slot.shapeType;
        }
        SetButton(button, bitmap, id == kToolSelect ? (kIconRim | kIconDown) : kIconRim);
    }
}

// The right edge of the last command button.
int LayOutCommandRow(HWND palette)
{
    HWND first = GetDlgItem(palette, kToolNew);
    if (!first)
        return 0;
    RECT start = ChildRect(palette, first);
    int x = start.left;
    int right = start.right;
    for (int id = kToolNew; id <= kToolHelp; ++id) {
        if (id > kToolNew) {
            bool gap = id == kToolPrint || id == kToolCut || id == kToolScaleUp || id == kToolHelp;
            x += kButtonSize + (gap ? kGroupGap : 0);
        }
        HWND button = GetDlgItem(palette, id);
        if (!button)
            continue;
        Place(button, x, start.top, kButtonSize, kButtonSize);
        right = x + kButtonSize;
        bool masked = id <= kToolPreview || id == kToolCopy || id == kToolPaste;
        SetButton(button, id + 3000, masked ? (kIconTransparent | kIconRim | kIconPush) : (kIconRim | kIconPush));
    }
    return right;
}

void LayOutToggles(HWND palette, int commandsRight)
{
    HWND first = GetDlgItem(palette, kToolBold);
    if (!first)
        return;
    RECT start = ChildRect(palette, first);
    int x = start.left < commandsRight + kButtonSize ? commandsRight + kButtonSize : start.left;
    for (int id = kToolBold; id <= kToolSuperscript; ++id) {
        HWND button = GetDlgItem(palette, id);
        if (button) {
            Place(button, x, start.top, kButtonSize, kButtonSize);
            SetButton(button, id + 3000, kIconToggle | kIconRim);
        }
        x += kButtonSize;
    }
    HWND larger = GetDlgItem(palette, kToolLargerText);
    if (larger) {
        RECT own = ChildRect(palette, larger);
        Place(larger, x, own.top, kButtonSize, 11);
        SetButton(larger, kToolLargerText + 3000, kIconRim | kIconPush);
    }
    HWND smaller = GetDlgItem(palette, kToolSmallerText);
    if (smaller) {
        RECT own = ChildRect(palette, smaller);
        Place(smaller, x, own.bottom - 11, kButtonSize, 12);
        SetButton(smaller, kToolSmallerText + 3000, kIconRim | kIconPush);
    }
}

} // namespace

void LayOutPalette(HWND palette)
{
    if (!palette)
        return;
    LayOutToolRow(palette);
    LayOutToggles(palette, LayOutCommandRow(palette));
    HWND select = GetDlgItem(palette, kToolSelect);
    RECT paletteRect, selectRect;
    if (select && GetWindowRect(palette, &paletteRect) && GetWindowRect(select, &selectRect))
        PaletteWindowHeight = selectRect.bottom - paletteRect.top + 4;
    InvalidateRect(palette, nullptr, TRUE);
}
