#include "frame/ruler_dialog.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/dialog_exchange.h"
#include "common/edit_errors.h"
#include "common/mapping.h"
#include "common/modal_dialog.h"
#include "common/results.h"
#include "common/sample_window.h"
#include "common/string_helpers.h"
#include "frame/ruler_scale_entry.h"
#include "lines/arrowheads.h"
#include "lines/length_label.h"
#include "objects/app_options.h"
#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/update_links.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"
#include "view/ruler_paint.h"
#include "view/ruler_scale.h"

namespace {

const int kRulerHelpTopic = 108;
const int kLengthUnits = 6;
const int kUnitText = 64;
const int kScaleDecimals = 2;
const uint32_t kShowsLength = 0x40;
// The preview is drawn at 100 units per inch.
const int kSampleUnitsPerInch = 100;
const int kSampleLineLeft = 76;
const int kSampleLineRight = 226;
const int kSampleLineY = 76;
const int kSampleLabelX = 151;
const int kSampleLength = 900;   // 1.5 inches in drawing units
const int kBothEnds = 3;
const uint32_t kOpenArrow = 2;
const int kSmallSampleSize = -1;

struct DivisionRadio {
    int id;
    int32_t subdivisions;
};

const DivisionRadio kDivisionRadios[] = {
    {IDC_RULER_DIV_12, 12}, {IDC_RULER_DIV_10, 10}, {IDC_RULER_DIV_8, 8}, {IDC_RULER_DIV_16, 16}};

RulerScale EditedScale()
{
    RulerScale scale;
    std::memcpy(&scale, Exchange.rulerScale, sizeof(scale));
    return scale;
}

void StoreEditedScale(const RulerScale& scale)
{
    std::memcpy(Exchange.rulerScale, &scale, sizeof(scale));
}

// A scale read from a file that would never reach a division (no
// subdivisions, a spacing of nothing) is edited from the sound default.
RulerScale SoundScale(const unsigned char* bytes)
{
    RulerScale scale;
    std::memcpy(&scale, bytes, sizeof(scale));
    const RulerScaleValues values = ReadRulerScaleBytes(bytes);
    scale.shown = values.shown;
    scale.screenUnit = values.inchFlag;
    scale.majorLength = values.spacing;
    scale.divisions = values.subdivisions;
    scale.labelValue = values.labelStep;
    if (!(scale.labelValue > 0.0)) {
        const RulerScaleValues fallback = DefaultRulerScale();
        scale.majorLength = fallback.spacing;
        scale.labelValue = fallback.labelStep;
    }
    if (scale.labelUnit < 0 || scale.labelUnit >= kLengthUnits)
        scale.labelUnit = 0;
    return scale;
}

void Repaint(HWND dialog)
{
    RefreshSampleWindow(GetDlgItem(dialog, IDC_RULER_SAMPLE));
}

void CommitScale(HWND dialog)
{
    const TypedRulerScale typed = ScaleFromTyped(ReadDialogDouble(dialog, IDC_RULER_SCALE));
    WriteDialogDouble(dialog, IDC_RULER_SCALE, typed.shown, kScaleDecimals);
    RulerScale scale = EditedScale();
    scale.majorLength = typed.unitsPerMajor;
    scale.labelValue = typed.labelStep;
    StoreEditedScale(scale);
}

void FillUnitList(HWND dialog, int32_t unit)
{
    HWND list = GetDlgItem(dialog, IDC_RULER_UNIT);
    for (int i = 0; i < kLengthUnits; ++i) {
        char text[kUnitText] = "";
        LoadStringA(GetModuleHandleA(nullptr), IDS_LENGTH_UNIT_BASE + i, text, sizeof(text));
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(unit), 0);
}

void OnInitDialog(HWND dialog)
{
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_RULER_SAMPLE), kSamplePainterWord,
                      reinterpret_cast<LONG_PTR>(SampleDrawCallback));
    const RulerScale scale = EditedScale();
    FillUnitList(dialog, scale.labelUnit);
    CheckRadioButton(dialog, IDC_RULER_INCH, IDC_RULER_CM, scale.screenUnit ? IDC_RULER_INCH : IDC_RULER_CM);
    for (const DivisionRadio& radio : kDivisionRadios)
        CheckDlgButton(dialog, radio.id, radio.subdivisions == scale.divisions ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_RULER_HIDE, scale.shown ? BST_UNCHECKED : BST_CHECKED);
    WriteDialogDouble(dialog, IDC_RULER_SCALE, ShownRulerScale(scale.labelValue, scale.majorLength), kScaleDecimals);
    CheckRadioButton(dialog, IDC_RULER_SNAP_CENTER, IDC_RULER_SNAP_TOP_LEFT,
                     Exchange.mainValue ? IDC_RULER_SNAP_CENTER : IDC_RULER_SNAP_TOP_LEFT);
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void OnAccept(HWND dialog)
{
    // The scale field commits as it loses the focus.
    SetFocus(GetDlgItem(dialog, IDOK));
    RulerScale scale = EditedScale();
    scale.shown = Checked(dialog, IDC_RULER_HIDE) ? 0 : 1;
    StoreEditedScale(scale);
    Exchange.mainValue = Checked(dialog, IDC_RULER_SNAP_TOP_LEFT) ? 0 : 1;
    EndDialog(dialog, 1);
}

// True when the command changed a value the preview shows.
bool OnOwnCommand(HWND dialog, int id, int notification)
{
    RulerScale scale = EditedScale();
    if (id == IDC_RULER_UNIT && notification == CBN_SELCHANGE) {
        const LRESULT chosen = SendMessageA(GetDlgItem(dialog, IDC_RULER_UNIT), CB_GETCURSEL, 0, 0);
        scale.labelUnit = chosen < 0 ? 0 : static_cast<int32_t>(chosen);
    } else if ((id == IDC_RULER_INCH || id == IDC_RULER_CM) && notification == BN_CLICKED) {
        scale.screenUnit = Checked(dialog, IDC_RULER_INCH) ? 1 : 0;
    } else if (id == IDC_RULER_SCALE && notification == EN_KILLFOCUS) {
        CommitScale(dialog);
        return true;
    } else {
        bool division = false;
        for (const DivisionRadio& radio : kDivisionRadios)
            if (radio.id == id && notification == BN_CLICKED) {
                scale.divisions = radio.subdivisions;
                division = true;
            }
        if (!division)
            return false;
    }
    StoreEditedScale(scale);
    return true;
}

void DrawSampleLabel(HDC dc, const RulerScale& scale, COLORREF face)
{
    const RulerScaleView view = {scale.screenUnit, scale.majorLength, scale.labelValue, scale.labelUnit};
    char number[kStringBufferSize] = "";
    char unit[kStringBufferSize] = "";
    FormatLength(view, kSampleLength, number, unit);
    char label[2 * kStringBufferSize];
    std::snprintf(label, sizeof(label), "%s%s", number, unit);
    const int length = lstrlenA(label);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, label, length, &extent);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, face);
    TextOutA(dc, kSampleLabelX, kSampleLineY - extent.cy / 2, label, length);
}

// The settings go to the drawing and the options; every line that shows its
// length is written again in the new scale.
ErrorCode ApplyRulerSettings(HWND view, HGLOBAL drawingHandle, DrawingRecord* drawing)
{
    ErrorCode code = MarkRecordChanged(drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableObjects);
    if (code != kErrNone)
        return code;
    const RulerScale scale = EditedScale();
    const int32_t oldUnit = SoundScale(drawing->rulerScale).labelUnit;
    if (OptionsRecord* options = Options())
        options->rulerDefaults = scale;
    std::memcpy(drawing->rulerScale, &scale, sizeof(drawing->rulerScale));
    if (Exchange.mainValue)
        drawing->flags |= kDrawingCentredMiddle;
    else
        drawing->flags &= ~static_cast<uint32_t>(kDrawingCentredMiddle);
    for (int i = 0; code == kErrNone; ++i) {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get() || i >= objects.Count())
            break;
        if (!(ObjectAt(objects.Get(), i)->textRoleFlags & kShowsLength))
            continue;
        InvalidateLogicalRect(view, &ObjectAt(objects.Get(), i)->bounds);
        const int32_t relabel[2] = {oldUnit, 0};
        code = CallObjectKindCode(nullptr, drawing, objects.Get(), i, kMsgShowLength, 0, 0,
                                  reinterpret_cast<INT_PTR>(relabel));
        InvalidateLogicalRect(view, &ObjectAt(objects.Refresh(), i)->bounds);
    }
    return code == kErrNone ? UpdateLinks(drawing) : code;
}

ErrorCode ApplyInsideStep(HWND view, void* viewRecord)
{
    ErrorCode code = BeginDocumentUndo(view, kUndoStepAppearance);
    if (code != kErrNone)
        return code;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    code = ApplyRulerSettings(view, drawingHandle, drawing);
    GlobalUnlock(drawingHandle);
    return code;
}

void ClearPendingWarning(void* viewRecord, int* warning)
{
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return;
    if (warning)
        *warning = drawing->warningId;
    drawing->warningId = 0;
    GlobalUnlock(drawingHandle);
}

bool LoadDrawingSettings(void* viewRecord)
{
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    const auto* drawing = drawingHandle ? static_cast<const DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return false;
    StoreEditedScale(SoundScale(drawing->rulerScale));
    Exchange.mainValue = (drawing->flags & kDrawingCentredMiddle) ? 1 : 0;
    GlobalUnlock(drawingHandle);
    return true;
}

} // namespace

int DrawRulerSample(HDC dc, RECT* client)
{
    const int saved = SaveDC(dc);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(face);
    const RECT area = BeginSamplePaint(dc, client, kSampleUnitsPerInch, brush);
    const RulerScale scale = EditedScale();
    const RulerScaleValues values = ReadRulerScaleBytes(Exchange.rulerScale);
    DrawVerticalRuler(nullptr, dc, &area, &values);
    DrawHorizontalRuler(nullptr, dc, &area, &values);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    DrawRulerCorner(nullptr, dc, &area);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, kSampleLineLeft, kSampleLineY, nullptr);
    LineTo(dc, kSampleLineRight, kSampleLineY);
    HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    DrawArrowheads(dc, kBothEnds, kOpenArrow, kOpenArrow, 1, kSmallSampleSize, 0, kSampleLineLeft, kSampleLineY,
                   kSampleLineRight, kSampleLineY, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), black, black);
    DrawSampleLabel(dc, scale, face);
    RestoreDC(dc, saved);
    DeleteObject(brush);
    return 0;
}

INT_PTR CALLBACK RulerDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id == IDOK && notification == 0) {
        OnAccept(dialog);
        return TRUE;
    }
    if (!OnOwnCommand(dialog, id, notification))
        return FALSE;
    Repaint(dialog);
    return TRUE;
}

int RunRulerDlg(HWND view)
{
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (!viewRecord)
        return 0;
    if (!LoadDrawingSettings(viewRecord)) {
        GlobalUnlock(viewHandle);
        return 0;
    }
    SampleDrawCallback = DrawRulerSample;
    const bool accepted = RunModalDialog({TEMPLATE_RULERS, RulerDlgHandler, kRulerHelpTopic, nullptr}) == 1;
    ClearPendingWarning(viewRecord, nullptr);
    if (!accepted) {
        GlobalUnlock(viewHandle);
        return 0;
    }
    const ErrorCode code = ApplyInsideStep(view, viewRecord);
    if (code != kErrNone) {
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
        GlobalUnlock(viewHandle);
        ReportEditError(code);
        return 0;
    }
    MarkDrawingEdited(view, viewRecord, 0);
    int warning = 0;
    ClearPendingWarning(viewRecord, &warning);
    if (warning)
        WarnById(warning);
    // The change is made for good: nothing is left to undo.
    ClearDocumentUndo(view);
    GlobalUnlock(viewHandle);
    return 1;
}
