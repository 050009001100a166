#include "libraries/symbol_editor.h"

#include <cstdlib>
#include <cstring>

#include "common/app_globals.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "documents/printer_context.h"
#include "libraries/library_layout.h"
#include "libraries/library_windows.h"
#include "libraries/symbol_rules.h"
#include "libraries/library_window.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kVexletEditorTopic = 30026;
const int kPreviewInset = 10;
const int kPointRadius = 3;
const int kNameLimit = 255;
const int kSizeTextLimit = 80;
const int kDecimals = 2;
const char kPreviewClass[] = "EVXWINDOWCLASS";

typedef int (*PreviewPainter)(HWND window, HDC dc);

// The one working copy of the symbol being edited.
struct VexletEditorState {
    VexletRecord record;
    ShownSize shown;
    HGLOBAL picture;
    RECT bounds;
    int kind;
    char* name;
};

VexletEditorState Editor;
HPALETTE EditorPalette;
int EditorAutomaticAllowed;
PreviewPainter EditorPreviewPainter;

bool Metric() { return MeasureSystem == 0; }

void SetNote(HWND dialog, int id, int stringId)
{
    char text[256] = "";
    LoadStringA(AppInstance, static_cast<UINT>(stringId), text, sizeof(text));
    SetDlgItemTextA(dialog, id, text);
}

void ShowAutomaticState(HWND dialog, bool on)
{
    CheckDlgButton(dialog, IDC_VXEDIT_AUTOMATIC, on ? BST_CHECKED : BST_UNCHECKED);
    SetNote(dialog, IDC_NOTE_1, on ? IDS_VEXLET_AUTOMATIC_1 : IDS_VEXLET_MANUAL_1);
    SetNote(dialog, IDC_NOTE_2, on ? IDS_VEXLET_AUTOMATIC_2 : IDS_VEXLET_MANUAL_2);
    if (Editor.record.optionFlags & kSymbolSizeFromPicture) {
        EnableWindow(GetDlgItem(dialog, IDC_VXEDIT_WIDTH), !on);
        EnableWindow(GetDlgItem(dialog, IDC_VXEDIT_HEIGHT), !on);
    }
    for (int id = IDC_VXEDIT_GROW_NONE; id <= IDC_VXEDIT_TEXT_NONE; ++id)
        EnableWindow(GetDlgItem(dialog, id), !on);
    HWND preview = GetDlgItem(dialog, IDC_VXEDIT_PREVIEW);
    EnableWindow(preview, !on);
    InvalidateRect(preview, nullptr, TRUE);
}

void WriteSizes(HWND dialog)
{
    WriteDialogDouble(dialog, IDC_VXEDIT_WIDTH, Editor.shown.width, kDecimals);
    WriteDialogDouble(dialog, IDC_VXEDIT_HEIGHT, Editor.shown.height, kDecimals);
}

int TextRadio(int16_t placement)
{
    if (placement & kSymbolTextBelow)
        return IDC_VXEDIT_TEXT_BELOW;
    if (placement & kSymbolTextAbove)
        return IDC_VXEDIT_TEXT_ABOVE;
    if (placement & kSymbolTextNone)
        return IDC_VXEDIT_TEXT_NONE;
    return IDC_VXEDIT_TEXT_INSIDE;
}

void OnInitDialog(HWND dialog)
{
    if (Metric())
        SetNote(dialog, IDC_VXEDIT_UNITS, IDS_CENTIMETRES);
    HWND preview = GetDlgItem(dialog, IDC_VXEDIT_PREVIEW);
    SetWindowLongPtrA(preview, 0, reinterpret_cast<LONG_PTR>(EditorPreviewPainter));
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_4);
    RECT place;
    GetWindowRect(preview, &place);
    if (place.right - place.left != place.bottom - place.top)
        SetWindowPos(preview, nullptr, 0, 0, place.right - place.left, place.right - place.left,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    const int grow = Editor.record.growMode >= kGrowFree && Editor.record.growMode <= kGrowProportional
                         ? Editor.record.growMode
                         : kGrowProportional;
    CheckRadioButton(dialog, IDC_VXEDIT_GROW_NONE, IDC_VXEDIT_GROW_PROPORTIONAL, IDC_VXEDIT_GROW_NONE + grow);
    CheckRadioButton(dialog, IDC_VXEDIT_TEXT_INSIDE, IDC_VXEDIT_TEXT_NONE, TextRadio(Editor.record.textPlacement));
    CheckDlgButton(dialog, IDC_VXEDIT_CHANGE_COLORS,
                   (Editor.record.optionFlags & kSymbolColorsFixed) ? BST_UNCHECKED : BST_CHECKED);
    if (!EditorAutomaticAllowed) {
        EnableWindow(GetDlgItem(dialog, IDC_VXEDIT_AUTOMATIC), FALSE);
        SetNote(dialog, IDC_NOTE_4, IDS_VEXLET_NOT_AUTOMATIC);
        ShowAutomaticState(dialog, false);
    } else {
        ShowAutomaticState(dialog, (Editor.record.optionFlags & kSymbolAutomatic) != 0);
    }
    Editor.shown = {ShownFromUnits(static_cast<uint16_t>(Editor.record.preferredWidth), Metric()),
                    ShownFromUnits(static_cast<uint16_t>(Editor.record.preferredHeight), Metric())};
    WriteSizes(dialog);
    SendDlgItemMessageA(dialog, IDC_VXEDIT_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SetDlgItemTextA(dialog, IDC_VXEDIT_NAME, Editor.name);
}

void OnSizeField(HWND dialog, int id)
{
    char text[kSizeTextLimit + 1] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    const double typed = std::atof(text);
    const int width = Editor.bounds.right - Editor.bounds.left;
    const int height = Editor.bounds.bottom - Editor.bounds.top;
    const double aspect = width > 0 ? static_cast<double>(height) / width : 0;
    const bool proportional = IsDlgButtonChecked(dialog, IDC_VXEDIT_GROW_PROPORTIONAL) == BST_CHECKED;
    Editor.shown = ApplyTypedSide(Editor.shown, id == IDC_VXEDIT_WIDTH, typed, proportional, aspect, Metric());
    WriteSizes(dialog);
}

int CheckedOf(HWND dialog, int first, int last)
{
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return id;
    return first;
}

void OnOk(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDOK));
    VexletRecord& record = Editor.record;
    record.growMode = static_cast<int16_t>(CheckedOf(dialog, IDC_VXEDIT_GROW_NONE, IDC_VXEDIT_GROW_PROPORTIONAL) -
                                           IDC_VXEDIT_GROW_NONE);
    const int text = CheckedOf(dialog, IDC_VXEDIT_TEXT_INSIDE, IDC_VXEDIT_TEXT_NONE);
    record.textPlacement = text == IDC_VXEDIT_TEXT_BELOW   ? kSymbolTextBelow
                           : text == IDC_VXEDIT_TEXT_ABOVE ? kSymbolTextAbove
                           : text == IDC_VXEDIT_TEXT_NONE  ? kSymbolTextNone
                                                           : 0;
    record.optionFlags &= static_cast<uint16_t>(~(kSymbolColorsFixed | kSymbolAutomatic));
    if (IsDlgButtonChecked(dialog, IDC_VXEDIT_CHANGE_COLORS) != BST_CHECKED)
        record.optionFlags |= kSymbolColorsFixed;
    if (IsDlgButtonChecked(dialog, IDC_VXEDIT_AUTOMATIC) == BST_CHECKED)
        record.optionFlags |= kSymbolAutomatic;
    record.preferredWidth = static_cast<int16_t>(UnitsFromShown(Editor.shown.width, Metric()));
    record.preferredHeight = static_cast<int16_t>(UnitsFromShown(Editor.shown.height, Metric()));
    GetDlgItemTextA(dialog, IDC_VXEDIT_NAME, Editor.name, kVexletNameBuffer);
    EndDialog(dialog, 1);
}

// Cancel and Help are left to the common dialog behaviour.
bool OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return true;
    case IDC_VXEDIT_WIDTH:
    case IDC_VXEDIT_HEIGHT:
        if (notification == EN_KILLFOCUS)
            OnSizeField(dialog, id);
        return true;
    case IDC_VXEDIT_AUTOMATIC:
        if (notification == BN_CLICKED)
            ShowAutomaticState(dialog, IsDlgButtonChecked(dialog, id) == BST_CHECKED);
        return true;
    default:
        return false;
    }
}

// The 600 x 600 square of the connect points stretched over the preview's
// picture rectangle.
RECT PreviewPictureRect(HWND window)
{
    RECT rect;
    GetClientRect(window, &rect);
    InflateRect(&rect, -kPreviewInset, -kPreviewInset);
    FitRectToAspect(&Editor.bounds, &rect);
    return rect;
}

HGLOBAL CopyOfPicture()
{
    const SIZE_T size = GlobalSize(Editor.picture);
    HGLOBAL copy = size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    void* to = copy ? GlobalLock(copy) : nullptr;
    const void* from = to ? GlobalLock(Editor.picture) : nullptr;
    if (from) {
        std::memcpy(to, from, size);
        GlobalUnlock(Editor.picture);
    }
    if (to)
        GlobalUnlock(copy);
    if (copy && !from) {
        GlobalFree(copy);
        copy = nullptr;
    }
    return copy;
}

LRESULT CALLBACK VexletPreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    auto painter = reinterpret_cast<PreviewPainter>(GetWindowLongPtrA(window, 0));
    if (painter)
        painter(window, dc);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

int DrawEVXWindow(HWND window, HDC dc)
{
    if (!Editor.picture)
        return 0;
    RECT target = PreviewPictureRect(window);
    HPALETTE oldPalette = EditorPalette ? SelectPalette(dc, EditorPalette, FALSE) : nullptr;
    if (EditorPalette)
        RealizePalette(dc);
    // The playback takes over the block it is given; the dialog keeps its own.
    PlaySymbolPicture(dc, target, CopyOfPicture(), Editor.bounds);
    // The connect points, in the square the picture covers.
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    for (int i = 0; i < Editor.record.connectPointCount && i < kMaxSymbolConnectPoints; ++i) {
        const int x = target.left + MulDiv(Editor.record.connectPoints[i].x, width, kSymbolSquare);
        const int y = target.top + MulDiv(Editor.record.connectPoints[i].y, height, kSymbolSquare);
        Ellipse(dc, x - kPointRadius, y - kPointRadius, x + kPointRadius, y + kPointRadius);
    }
    SelectObject(dc, oldBrush);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    return 0;
}

INT_PTR CALLBACK EVXDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

int EditVexletProperties(HWND owner, HGLOBAL picture, VexletRecord* record, const RECT* pictureBounds,
                         int pictureKind, HPALETTE palette, char* name, int automaticAllowed)
{
    Editor.record = *record;
    Editor.picture = picture;
    Editor.bounds = *pictureBounds;
    Editor.kind = pictureKind;
    Editor.name = name;
    EditorPalette = palette;
    EditorAutomaticAllowed = automaticAllowed;
    EditorPreviewPainter = DrawEVXWindow;
    const INT_PTR result = RunModalDialog({"VXEDIT", EVXDlgHandler, kVexletEditorTopic, owner});
    if (result != 1)
        return 0;
    // The points are never moved here, so they come back exactly as stored.
    const ConnectPoint* kept = record->connectPoints;
    std::memcpy(Editor.record.connectPoints, kept, sizeof(Editor.record.connectPoints));
    *record = Editor.record;
    return 1;
}

ATOM RegisterVexletPreviewClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = VexletPreviewWndProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kPreviewClass;
    return RegisterClassA(&windowClass);
}
