// The palette's dialog procedure: painting its two rows, the buttons' actions
// and the text format it mirrors.
#include "view/tool_palette.h"

#include "common/help_mode.h"
#include "common/icon_button.h"
#include "common/info_dialog.h"
#include "common/results.h"
#include "common/tool_tips.h"
#include "common/app_globals.h"
#include "view/end_text_edit.h"
#include "view/palette_state.h"
#include "view/route_edit_command.h"
#include "view/selection_access.h"
#include "view/selection_changes.h"

namespace {

void OnPaint(HWND palette)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(palette, &paint);
    if (!dc)
        return;
    if (PaletteSeparatorY < 0) {
        RECT command = {}, tool = {};
        HWND newButton = GetDlgItem(palette, kToolNew);
        HWND select = GetDlgItem(palette, kToolSelect);
        if (newButton && select) {
            GetWindowRect(newButton, &command);
            GetWindowRect(select, &tool);
            MapWindowPoints(nullptr, palette, reinterpret_cast<POINT*>(&command), 2);
            MapWindowPoints(nullptr, palette, reinterpret_cast<POINT*>(&tool), 2);
            PaletteSeparatorY = (command.bottom + tool.top) / 2;
            PaletteButtonsBottom = tool.bottom;
        }
    }
    RECT upper = paint.rcPaint;
    RECT lower = paint.rcPaint;
    if (upper.bottom > PaletteButtonsBottom)
        upper.bottom = PaletteButtonsBottom;
    if (lower.top < PaletteButtonsBottom)
        lower.top = PaletteButtonsBottom;
    FillRect(dc, &upper, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &lower, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    auto line = [&](int color, int y) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, paint.rcPaint.left, y, nullptr);
        LineTo(dc, paint.rcPaint.right, y);
        SelectObject(dc, old);
        DeleteObject(pen);
    };
    line(COLOR_BTNHIGHLIGHT, PaletteSeparatorY);
    line(COLOR_BTNHIGHLIGHT, 1);
    line(COLOR_BTNSHADOW, PaletteSeparatorY - 1);
    line(COLOR_BTNSHADOW, 0);
    line(COLOR_BTNSHADOW, PaletteButtonsBottom - 1);
    EndPaint(palette, &paint);
}

int HelpTopicOfButton(int id)
{
    if (id == kToolText)
        return 112;
    if (id == kToolSelect || (id >= kToolStraightLine && id <= kToolLastShape))
        return 122;
    if (id >= kToolBold && id <= kToolSmallerText)
        return 113;
    if (id >= kToolNew && id <= kToolSave)
        return 101;
    switch (id) {
    case kToolPrint:
        return 30034;
    case kToolPreview:
        return 30056;
    case kToolCut:
    case kToolCopy:
    case kToolPaste:
        return 104;
    case kToolUndo:
        return 103;
    case kToolScaleUp:
    case kToolScaleDown:
        return 107;
    default:
        return 30010;
    }
}

void ShowButtonHelp(int id)
{
    if (id == kToolHelp && MainWindow)
        PostMessageA(MainWindow, WM_COMMAND, 901, 0);
    ShowHelpTopic(HelpTopicOfButton(id));
}

void PickDrawingTool(int id)
{
    DiscardError(EndTextEdit(nullptr, 0), "ending the edit reports its own failure");
    if (!LineToolHintShown && PaletteHintsOn()) {
        LineToolHintShown = 1;
        ShowInfoDialog("HINT_LINETOOL", 122);
    }
    HGLOBAL drawing = ActiveDrawingHandle();
    if (drawing)
        DeselectAllObjects(drawing);
    SelectPaletteTool(id);
    if (GetKeyState(VK_SHIFT) < 0)
        SetPaletteSticky(TRUE);
}

void PickTextTool()
{
    DiscardError(EndTextEdit(nullptr, 0), "ending the edit reports its own failure");
    if (!TextToolHintShown && PaletteHintsOn()) {
        TextToolHintShown = 1;
        ShowInfoDialog("HINT_TEXTTOOL", 112);
    }
    SelectPaletteTool(kToolText);
}

void ToggleFormat(int id, HWND button)
{
    bool down = IsIconButtonDown(button) != FALSE;
    switch (id) {
    case kToolBold:
    case kToolItalic:
    case kToolUnderline: {
        int bit = id == kToolBold ? 1 : (id == kToolItalic ? 2 : 4);
        PaletteStyleState = down ? (PaletteStyleState | bit) : (PaletteStyleState & ~bit);
        RouteEditCommand(id == kToolBold ? kRouteBold : (id == kToolItalic ? kRouteItalic : kRouteUnderline));
        return;
    }
    case kToolSubscript:
        PaletteScriptValue = down ? -1 : 0;
        RouteEditCommand(kRouteSubscript);
        return;
    case kToolSuperscript:
        PaletteScriptValue = down ? 1 : 0;
        RouteEditCommand(kRouteSuperscript);
        return;
    // The upper arrow grows the text, the lower one shrinks it.
    case kToolLargerText:
        RouteEditCommand(kRouteLarger);
        return;
    case kToolSmallerText:
        RouteEditCommand(kRouteSmaller);
        return;
    default:
        return;
    }
}

// The main-window command each command button stands for.
int CommandOfButton(int id)
{
    static const int commands[] = {150, 102, 104, 151, 114, 202, 203, 204, 201, 325, 326};
    return id >= kToolNew && id <= kToolScaleDown ? commands[id - kToolNew] : 0;
}

void OnButtonClicked(int id, HWND button)
{
    if (HelpMode) {
        ShowButtonHelp(id);
        return;
    }
    if (id == kToolText) {
        PickTextTool();
    } else if (id == kToolSelect || (id >= kToolStraightLine && id <= kToolLastShape)) {
        PickDrawingTool(id);
    } else if (id >= kToolBold && id <= kToolSmallerText) {
        ToggleFormat(id, button);
    } else if (id == kToolHelp) {
        HelpMode = 1;
        SetAppCursor(2);
    } else if (int command = CommandOfButton(id)) {
        if (MainWindow)
            PostMessageA(MainWindow, WM_COMMAND, command, 0);
    }
}

void OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    HWND button = reinterpret_cast<HWND>(lParam);
    if (code == kIconDoubleClicked) {
        if (id >= kToolFirstShape && id <= kToolLastShape) {
            HideToolTip();
            EditPaletteTool();
        }
    } else if (code == kIconDraggedOutside) {
        if (id >= kToolStraightLine && id <= kToolLastShape)
            PlacePaletteToolObject(id);
    } else if (code == kIconClicked) {
        OnButtonClicked(id, button);
    }
}

// Mixed look, else down by the state bit.
void ShowFormatButton(HWND palette, int id, bool mixed, bool down)
{
    HWND button = GetDlgItem(palette, id);
    if (!button)
        return;
    if (mixed)
        SetIconButtonBits(button, TRUE, kIconMixed);
    else
        SetIconButtonDown(button, down ? TRUE : FALSE);
}

void OnStyleState(HWND palette, LPARAM lParam)
{
    int state = static_cast<int>(lParam & 0xFF);
    int mixed = static_cast<int>((lParam >> 8) & 0xFF);
    if (state == PaletteStyleState && mixed == PaletteStyleMixed)
        return;
    ShowFormatButton(palette, kToolBold, (mixed & 1) != 0, (state & 1) != 0);
    ShowFormatButton(palette, kToolItalic, (mixed & 2) != 0, (state & 2) != 0);
    ShowFormatButton(palette, kToolUnderline, (mixed & 4) != 0, (state & 4) != 0);
    PaletteStyleState = state;
    PaletteStyleMixed = mixed;
}

void OnScriptState(HWND palette, LPARAM lParam)
{
    int value = static_cast<signed char>((static_cast<DWORD>(lParam) >> 24) & 0xFF);
    int state = value == 1 ? 0x10 : (value == -1 ? 0x20 : 0);
    int mixed = value == -5 ? 0x30 : (value == -2 ? 0x20 : (value == -3 ? 0x10 : 0));
    if (value == PaletteScriptValue && mixed == PaletteScriptMixed)
        return;
    ShowFormatButton(palette, kToolSubscript, (mixed & 0x20) != 0, (state & 0x20) != 0);
    ShowFormatButton(palette, kToolSuperscript, (mixed & 0x10) != 0, (state & 0x10) != 0);
    PaletteScriptValue = value;
    PaletteScriptMixed = mixed;
}

} // namespace

INT_PTR CALLBACK PaletteHandler(HWND palette, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (!PaletteWindow)
            PaletteWindow = palette;
        return TRUE;
    case WM_ERASEBKGND:
        SetWindowLongPtrA(palette, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_PAINT:
        OnPaint(palette);
        return TRUE;
    case WM_SETCURSOR:
        // Buttons pass their cursor question up here, so the palette sees
        // the pointer move over every button.
        if (HIWORD(lParam) == WM_MOUSEMOVE)
            TrackPaletteToolTip(palette);
        return FALSE;
    case WM_LBUTTONDOWN:
        HideToolTip();
        if (HelpMode)
            ShowHelpTopic(125);
        return TRUE;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return TRUE;
    case 1153:
        OnStyleState(palette, lParam);
        return TRUE;
    case 1162:
        OnScriptState(palette, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}
