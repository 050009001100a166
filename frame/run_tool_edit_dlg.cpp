#include "frame/run_tool_edit_dlg.h"

#include <cstring>
#include <initializer_list>

#include "common/dialog_exchange.h"
#include "common/mapping.h"
#include "common/menu_items.h"
#include "common/modal_dialog.h"
#include "common/popup_picker.h"
#include "common/sample_window.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/printer_context.h"
#include "frame/menu_build.h"
#include "frame/tool_slot_sizes.h"
#include "objects/app_options.h"
#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_parameters.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

static_assert(sizeof(ToolbarSlot) == kToolbarSlotBytes, "the exchange block carries one slot");

const int kToolEditHelpTopic = 30030;
const int kKeepProportion = 3;
const int kSampleInset = 100;
const int kSampleLineWidth = 12;
const int kSolidLine = 1;
const int kSizeDecimals = 2;
// Entry i of the Shapes menu's Shape popup draws shape type i + 2.
const int kFirstPickedShapeType = 2;
const int kSizingKeepsProportion = 2;
const int kSizingSquare = 1;
const int kFreeProportion = 0;
const DWORD kToolEditHelpPairs[] = {
    IDC_TOOLEDIT_WIDTH, 15022, IDC_TOOLEDIT_HEIGHT, 15022, IDC_TOOLEDIT_SHAPE, 15021, IDC_TOOLEDIT_ADJUSTMENT, 15020,
    0, 0,
};

ToolbarSlot ExchangedSlot()
{
    ToolbarSlot slot;
    std::memcpy(&slot, Exchange.toolbarSlot, sizeof(slot));
    return slot;
}

void StoreSlot(const ToolbarSlot& slot)
{
    std::memcpy(Exchange.toolbarSlot, &slot, sizeof(slot));
}

bool Metric()
{
    return MeasureSystem == 0;
}

ShapeParameterRange RangeOf(int shapeType)
{
    ShapeParameterRange range = {0, 0, 0};
    CallKind(kKindShape, nullptr, nullptr, nullptr, -1, kMsgParameterDefaults, shapeType, 0,
             reinterpret_cast<INT_PTR>(&range));
    return range;
}

void ShowSizes(HWND dialog)
{
    WriteDialogDouble(dialog, IDC_TOOLEDIT_WIDTH, Exchange.shownWidth, kSizeDecimals);
    WriteDialogDouble(dialog, IDC_TOOLEDIT_HEIGHT, Exchange.shownHeight, kSizeDecimals);
}

void ShowAdjustment(HWND dialog)
{
    const ToolbarSlot slot = ExchangedSlot();
    const int show = slot.adjustment != 0 ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_TOOLEDIT_ADJUSTMENT_LABEL, IDC_TOOLEDIT_ADJUSTMENT, IDC_TOOLEDIT_ADJUSTMENT_NOTE})
        ShowWindow(GetDlgItem(dialog, id), show);
    if (slot.adjustment != 0)
        WriteDialogDouble(dialog, IDC_TOOLEDIT_ADJUSTMENT, slot.adjustment, kSizeDecimals);
}

void ShowShownSize(const ToolbarSlot& slot)
{
    const ShownSize shown = ShownSizeOfSlot(slot.width, slot.height, Metric());
    Exchange.shownWidth = shown.width;
    Exchange.shownHeight = shown.height;
}

void OnInitDialog(HWND dialog)
{
    if (Metric()) {
        char text[kStringBufferSize];
        LoadStrOrBlank(IDS_CENTIMETRES, text);
        SetDlgItemTextA(dialog, IDC_TOOLEDIT_UNITS, text);
    }
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE), kSamplePainterWord,
                      reinterpret_cast<LONG_PTR>(SampleDrawCallback));
    const ToolbarSlot slot = ExchangedSlot();
    ShowShownSize(slot);
    ShowSizes(dialog);
    ShowAdjustment(dialog);
    HMENU shapes = ShapeTypePopup();
    // The frame greys and checks the popup for the menu bar; here every type may be chosen.
    if (shapes)
        EnableAllMenuItems(shapes, MF_ENABLED);
    SetPopupData(dialog, IDC_TOOLEDIT_SHAPE, 0, nullptr, nullptr, shapes, slot.type - kFirstPickedShapeType, TRUE);
}

// The picker chose entry `index`: the slot takes that shape type with the
// type's own adjustment and sizing.
void ChooseShapeType(HWND dialog, int index)
{
    ToolbarSlot slot = ExchangedSlot();
    slot.type = index + kFirstPickedShapeType;
    slot.adjustment = RangeOf(slot.type).defaultValue;
    const int sizing = static_cast<int>(CallKind(kKindShape, nullptr, nullptr, nullptr, -1, kMsgSizingDefault, slot.type));
    slot.sizing = (sizing & kSizingKeepsProportion) ? kKeepProportion : kFreeProportion;
    if (sizing & kSizingSquare) {
        const int side = slot.width > slot.height ? slot.width : slot.height;
        slot.width = side;
        slot.height = side;
    }
    StoreSlot(slot);
    ShowShownSize(slot);
    ShowSizes(dialog);
    ShowAdjustment(dialog);
    RefreshSampleWindow(GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE));
}

// A size field lost the focus: its value commits, brought under the limit.
void CommitSize(HWND dialog, bool width)
{
    ToolbarSlot slot = ExchangedSlot();
    ShownSize shown = {Exchange.shownWidth, Exchange.shownHeight};
    const double typed = ReadDialogDouble(dialog, width ? IDC_TOOLEDIT_WIDTH : IDC_TOOLEDIT_HEIGHT);
    if (ApplyTypedSize(&shown, typed, width, slot.sizing == kKeepProportion, Metric())) {
        Exchange.shownWidth = shown.width;
        Exchange.shownHeight = shown.height;
    }
    ShowSizes(dialog);
    slot.width = SlotUnits(Exchange.shownWidth, Metric());
    slot.height = SlotUnits(Exchange.shownHeight, Metric());
    StoreSlot(slot);
    RefreshSampleWindow(GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE));
}

void CommitAdjustment(HWND dialog)
{
    ToolbarSlot slot = ExchangedSlot();
    const ShapeParameterRange range = RangeOf(slot.type);
    slot.adjustment = ClampAdjustment(ReadDialogDouble(dialog, IDC_TOOLEDIT_ADJUSTMENT), range.minimum, range.maximum);
    StoreSlot(slot);
    WriteDialogDouble(dialog, IDC_TOOLEDIT_ADJUSTMENT, slot.adjustment, kSizeDecimals);
    RefreshSampleWindow(GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE));
}

// A click on the preview commits the field being edited.
void OnSampleClick(HWND dialog)
{
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != dialog)
        return;
    SetFocus(GetDlgItem(dialog, IDC_TOOLEDIT_SAMPLE));
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
}

bool OnCommand(HWND dialog, int id, int notification, LPARAM lParam)
{
    if (id == IDC_TOOLEDIT_SHAPE && notification == 0) {
        ChooseShapeType(dialog, static_cast<int>(lParam));
        return true;
    }
    if (notification == EN_KILLFOCUS && (id == IDC_TOOLEDIT_WIDTH || id == IDC_TOOLEDIT_HEIGHT)) {
        CommitSize(dialog, id == IDC_TOOLEDIT_WIDTH);
        return true;
    }
    if (notification == EN_KILLFOCUS && id == IDC_TOOLEDIT_ADJUSTMENT) {
        CommitAdjustment(dialog);
        return true;
    }
    if (id == IDC_TOOLEDIT_SAMPLE && notification == 0) {
        OnSampleClick(dialog);
        return true;
    }
    if (id == IDOK && notification == 0) {
        // The field being edited commits as it loses the focus.
        SetFocus(GetDlgItem(dialog, IDOK));
        EndDialog(dialog, 1);
        return true;
    }
    return false;
}

} // namespace

int DrawETBSample(HDC dc, RECT* client)
{
    const ToolbarSlot slot = ExchangedSlot();
    const int saved = SaveDC(dc);
    SetZoomMapMode(dc, 0, kDrawingUnitsPerInch);
    SetBkMode(dc, TRANSPARENT);
    RECT area = *client;
    DPtoLP(dc, reinterpret_cast<POINT*>(&area), 2);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    InflateRect(&area, -kSampleInset, -kSampleInset);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    double scaleX = slot.width ? static_cast<double>(width) / slot.width : 1.0;
    double scaleY = slot.height ? static_cast<double>(height) / slot.height : 1.0;
    const double scale = scaleX < scaleY ? scaleX : scaleY;
    const int shapeWidth = static_cast<int>(slot.width * scale);
    const int shapeHeight = static_cast<int>(slot.height * scale);
    DrawingObject shape;
    std::memset(&shape, 0, sizeof(shape));
    shape.kind = kKindShape;
    shape.frame.left = area.left + (width - shapeWidth) / 2;
    shape.frame.top = area.top + (height - shapeHeight) / 2;
    shape.frame.right = shape.frame.left + shapeWidth;
    shape.frame.bottom = shape.frame.top + shapeHeight;
    shape.bounds = shape.inner = shape.textFrame = shape.frame;
    shape.width = shapeWidth;
    shape.height = shapeHeight;
    shape.lineWidth = kSampleLineWidth;
    shape.lineStyle = kSolidLine;
    shape.lineColor = RGB(0, 0, 0);
    shape.shapeType = slot.type;
    shape.adjust = slot.adjustment;
    shape.textRecordId = -1;
    shape.dataGroup = -1;
    shape.dataFirstId = -1;
    shape.groupIndex = -1;
    shape.labelPartnerId = kNoObjectId;
    CallKind(kKindShape, dc, nullptr, &shape, -1, kMsgDraw);
    RestoreDC(dc, saved);
    return 0;
}

INT_PTR CALLBACK ETBDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), lParam) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

BOOL RunToolEditDlg(int slotIndex)
{
    OptionsRecord* options = Options();
    if (!options || slotIndex < 0 || slotIndex >= kToolbarSlotCount)
        return FALSE;
    StoreSlot(options->toolbar[slotIndex]);
    SampleDrawCallback = DrawETBSample;
    if (RunModalDialog({TEMPLATE_TOOLBAR_SLOT, ETBDlgHandler, kToolEditHelpTopic, nullptr, 0, kToolEditHelpPairs}) != 1)
        return FALSE;
    options->toolbar[slotIndex] = ExchangedSlot();
    return TRUE;
}
