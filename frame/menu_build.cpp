#include "frame/menu_build.h"

#include "common/menu_items.h"
#include "objects/color_table.h"
#include "common/app_globals.h"
#include "common/menu_bitmaps.h"
#include "resources/menu_ids.h"

namespace {

// Positions inside the menu bar's popups.
const int kShapesFill = 0;
const int kShapesShading = 1;
const int kShapesBorderStyle = 3;
const int kShapesBorderColor = 4;
const int kShapesShape = 6;
const int kLinesStyle = 0;
const int kLinesColor = 1;
const int kLinesShape = 3;
const int kTextColor = 2;
const int kTextAlignment = 3;
const int kTextBullets = 7;
const int kViewBackground = 9;

const int kSquareItem = 0x1A1A;
const int kSquareItemLastColumn = 0x1A81;
const int kShapeItem = 0x1819;
const int kShapeItemLastColumn = 0x1880;
const int kColorsPerColumn = 8;

bool LastColumnWider()
{
    return WindowsMajorVersion >= 4;
}

HMENU Popup(int barPosition, int position)
{
    return GetSubMenu(MainMenuPopups[barPosition], position);
}

ErrorCode SetBitmapItem(HMENU menu, int position, UINT id, int bitmapId)
{
    int index = -1;
    HBITMAP bitmap = AddMenuBitmap(AppInstance, bitmapId, &index);
    if (!bitmap)
        return kErrNoMemory;
    ModifyMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_BITMAP, id,
                reinterpret_cast<LPCSTR>(bitmap));
    return kErrNone;
}

void SetOwnerDraw(HMENU menu, int position, UINT id, ULONG_PTR data, bool newColumn)
{
    ModifyMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_OWNERDRAW | (newColumn ? MF_MENUBARBREAK : 0),
                id, reinterpret_cast<LPCSTR>(data));
}

ErrorCode SetOwnerDrawBitmap(HMENU menu, int position, UINT id, int bitmapId, int sizeCode, bool newColumn)
{
    int index = -1;
    if (!AddMenuBitmap(AppInstance, bitmapId, &index))
        return kErrNoMemory;
    SetOwnerDraw(menu, position, id, BitmapItemData(index, sizeCode), newColumn);
    return kErrNone;
}

ErrorCode BuildDashes()
{
    HMENU border = Popup(MENU_POS_SHAPES, kShapesBorderStyle);
    HMENU style = Popup(MENU_POS_LINES, kLinesStyle);
    ErrorCode code = SetBitmapItem(border, 2, IDM_BORDER_DOTTED, 1302);
    if (code == kErrNone)
        code = SetBitmapItem(border, 3, IDM_BORDER_DASHED, 1303);
    if (code == kErrNone)
        code = SetBitmapItem(style, 1, IDM_LINE_DOTTED, 1302);
    if (code == kErrNone)
        code = SetBitmapItem(style, 2, IDM_LINE_DASHED, 1303);
    return code;
}

ErrorCode BuildWidths()
{
    HMENU style = Popup(MENU_POS_LINES, kLinesStyle);
    HMENU border = Popup(MENU_POS_SHAPES, kShapesBorderStyle);
    ErrorCode code = kErrNone;
    for (int position = 3; position <= 10 && code == kErrNone; ++position)
        code = SetBitmapItem(style, position, GetMenuItemID(style, position), 1203 + position - 3);
    for (int position = 4; position <= 8 && code == kErrNone; ++position)
        code = SetBitmapItem(border, position, GetMenuItemID(border, position), 1203 + position - 4);
    return code;
}

// Every item keeps its id and gets the bitmap of that id.
ErrorCode BuildAlignment()
{
    HMENU menu = Popup(MENU_POS_TEXT, kTextAlignment);
    const int count = GetMenuItemCount(menu);
    ErrorCode code = kErrNone;
    for (int position = 0; position < count && code == kErrNone; ++position) {
        const UINT id = GetMenuItemID(menu, position);
        const bool newColumn = id == 621 || id == 622 || id == 623;
        const bool last = (id % 10) == 3 && LastColumnWider();
        code = SetOwnerDrawBitmap(menu, position, id, static_cast<int>(id), last ? kSquareItemLastColumn : kSquareItem,
                                  newColumn);
    }
    return code;
}

ErrorCode BuildShapes()
{
    HMENU menu = Popup(MENU_POS_SHAPES, kShapesShape);
    ErrorCode code = kErrNone;
    for (int i = 0; i < 24 && code == kErrNone; ++i) {
        const UINT id = static_cast<UINT>(IDM_SHAPE_TYPE_FIRST + i);
        const bool newColumn = id == 1407 || id == 1413 || id == 1419;
        const bool last = id >= 1419 && LastColumnWider();
        code = SetOwnerDrawBitmap(menu, i, id, 3013 + i, last ? kShapeItemLastColumn : kShapeItem, newColumn);
    }
    return code;
}

ErrorCode BuildBullets()
{
    HMENU menu = Popup(MENU_POS_TEXT, kTextBullets);
    const int count = GetMenuItemCount(menu);
    ErrorCode code = kErrNone;
    // One column: it is also the last.
    const int size = LastColumnWider() ? kSquareItemLastColumn : kSquareItem;
    for (int position = 0; position < count && code == kErrNone; ++position) {
        const UINT id = GetMenuItemID(menu, position);
        code = SetOwnerDrawBitmap(menu, position, id, static_cast<int>(id), size, false);
    }
    return code;
}

ErrorCode BuildShading()
{
    HMENU menu = Popup(MENU_POS_SHAPES, kShapesShading);
    for (int position = 0; position <= 5; ++position)
        SetOwnerDraw(menu, position, static_cast<UINT>(IDM_SHADING_FIRST + position),
                     static_cast<ULONG_PTR>(kShadingSwatchTag + static_cast<ULONG_PTR>(position)), position == 3);
    return kErrNone;
}

void BuildColorPopup(HMENU menu, int baseId, const COLORREF* colors)
{
    for (int i = 0; i < MENU_COLOR_TABLE_SIZE; ++i) {
        const UINT id = static_cast<UINT>(baseId + i);
        const bool newColumn = i > 0 && i % kColorsPerColumn == 0;
        const ULONG_PTR data = colors[i];
        if (i < MENU_COLOR_ITEMS_IN_RESOURCE && i < GetMenuItemCount(menu))
            SetOwnerDraw(menu, i, id, data, newColumn);
        else
            AppendMenuA(menu, MF_OWNERDRAW | (newColumn ? MF_MENUBARBREAK : 0), id, reinterpret_cast<LPCSTR>(data));
    }
}

ErrorCode BuildColors()
{
    const COLORREF* colors = StandardColors();
    BuildColorPopup(Popup(MENU_POS_LINES, kLinesColor), IDM_LINE_COLOR_BASE, colors);
    BuildColorPopup(Popup(MENU_POS_SHAPES, kShapesBorderColor), IDM_BORDER_COLOR_BASE, colors);
    BuildColorPopup(Popup(MENU_POS_TEXT, kTextColor), IDM_TEXT_COLOR_BASE, colors);
    HMENU fill = Popup(MENU_POS_SHAPES, kShapesFill);
    HMENU background = Popup(MENU_POS_VIEW, kViewBackground);
    BuildColorPopup(fill, IDM_FILL_COLOR_BASE, colors);
    BuildColorPopup(background, IDM_BACK_COLOR_BASE, colors);
    AppendMenuA(fill, MF_OWNERDRAW, IDM_FILL_COLOR_NONE, reinterpret_cast<LPCSTR>(kNoneSwatch));
    AppendMenuA(background, MF_OWNERDRAW, IDM_BACK_COLOR_NONE, reinterpret_cast<LPCSTR>(kNoneSwatch));
    return kErrNone;
}

} // namespace

ULONG_PTR BitmapItemData(int bitmapIndex, int sizeCode)
{
    return (static_cast<ULONG_PTR>(sizeCode & 0xFFFF) << 16) | static_cast<ULONG_PTR>(bitmapIndex & 0xFFFF);
}

ErrorCode MakeBitmapColumns(HMENU popup, int perColumn)
{
    const int count = GetMenuItemCount(popup);
    const int columns = (count + perColumn - 1) / perColumn;
    ErrorCode code = kErrNone;
    for (int position = 0; position < count && code == kErrNone; ++position) {
        const UINT id = GetMenuItemID(popup, position);
        const bool last = position / perColumn == columns - 1 && LastColumnWider();
        code = SetOwnerDrawBitmap(popup, position, id, static_cast<int>(id), last ? kSquareItemLastColumn : kSquareItem,
                                  position > 0 && position % perColumn == 0);
    }
    return code;
}

ErrorCode BuildMenuItems()
{
    ErrorCode code = BuildDashes();
    if (code == kErrNone)
        code = BuildWidths();
    if (code == kErrNone)
        code = BuildAlignment();
    if (code == kErrNone)
        code = BuildShapes();
    if (code == kErrNone)
        code = BuildBullets();
    if (code == kErrNone)
        code = MakeBitmapColumns(Popup(MENU_POS_LINES, kLinesShape), 4);
    if (code == kErrNone)
        code = BuildShading();
    if (code == kErrNone)
        code = BuildColors();
    return code;
}

HMENU ShapeTypePopup()
{
    return Popup(MENU_POS_SHAPES, kShapesShape);
}

HMENU FillColorPopup()
{
    return Popup(MENU_POS_SHAPES, kShapesFill);
}

HMENU BorderColorPopup()
{
    return Popup(MENU_POS_SHAPES, kShapesBorderColor);
}
