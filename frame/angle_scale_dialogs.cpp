#include "frame/angle_scale_dialogs.h"

#include <cstdio>

#include "common/dialog_exchange.h"
#include "common/icon_button.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "frame/spin_values.h"
#include "resources/dialog_ids.h"

namespace {

const int kAngleHelpTopic = 30050;
const int kScaleHelpTopic = 107;
const int kSpinUpBitmap = 1801;
const int kSpinDownBitmap = 1800;
const LONG kSpinButtonStyle = kIconPush | kIconRim | kIconDoubleAsPress;
static_assert(kSpinButtonStyle == 0x8A0, "spin button style");
const int kFieldText = 64;
const double kTenthsPerDegree = 10.0;
const int kPerMillePerCent = 10;

void SetUpSpinButtons(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_1);
    const struct {
        int id;
        int bitmap;
    } buttons[] = {{IDC_SPIN_UP, kSpinUpBitmap}, {IDC_SPIN_DOWN, kSpinDownBitmap}};
    for (const auto& each : buttons) {
        HWND button = GetDlgItem(dialog, each.id);
        if (!button)
            continue;
        SetWindowLongA(button, kIconButtonBitmapWord, each.bitmap);
        SetWindowLongA(button, kIconButtonStyleWord, kSpinButtonStyle);
        InvalidateRect(button, nullptr, TRUE);
    }
}

int SpinStep(int id, int step)
{
    return id == IDC_SPIN_UP ? step : -step;
}

bool IsSpinPress(int id, int notification)
{
    return (id == IDC_SPIN_UP || id == IDC_SPIN_DOWN) && notification == kIconClicked;
}

void ShowAngleTenths(HWND dialog, int tenths)
{
    WriteDialogDouble(dialog, IDC_SPIN_VALUE, tenths / kTenthsPerDegree, 1);
}

int ReadAngleTenths(HWND dialog)
{
    return TypedAngleTenths(ReadDialogDouble(dialog, IDC_SPIN_VALUE));
}

void ShowScale(HWND dialog, int zoom)
{
    char text[kFieldText];
    std::snprintf(text, sizeof(text), "%d", ScaleInRange(zoom) / kPerMillePerCent);
    SetDlgItemTextA(dialog, IDC_SPIN_VALUE, text);
}

int ReadScale(HWND dialog)
{
    char text[kFieldText] = "";
    GetDlgItemTextA(dialog, IDC_SPIN_VALUE, text, kFieldText);
    return TypedScale(text);
}

} // namespace

INT_PTR CALLBACK RotnDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        ShowAngleTenths(dialog, ShownAngleTenths(Exchange.mainValue));
        SetUpSpinButtons(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (IsSpinPress(id, notification)) {
        ShowAngleTenths(dialog, SpinAngle(ReadAngleTenths(dialog), SpinStep(id, kAngleSpinStep)));
        return TRUE;
    }
    if (id == IDOK && notification == 0) {
        Exchange.mainValue = StoredAngle(ReadAngleTenths(dialog));
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ScaleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        ShowScale(dialog, Exchange.mainValue);
        SetUpSpinButtons(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (IsSpinPress(id, notification)) {
        ShowScale(dialog, SpinScale(ReadScale(dialog), SpinStep(id, kScaleSpinStep)));
        return TRUE;
    }
    if (id == IDOK && notification == 0) {
        Exchange.mainValue = ReadScale(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

int RunAngleDlg(int* angle)
{
    Exchange.mainValue = *angle;
    if (RunModalDialog({TEMPLATE_ANGLE, RotnDlgHandler, kAngleHelpTopic, nullptr}) != 1)
        return 0;
    *angle = Exchange.mainValue;
    return 1;
}

int RunScaleDlg(int* zoom)
{
    // The dialog never hands on a zoom outside 5 .. 400 per cent.
    Exchange.mainValue = *zoom == 0 ? kScaleHundred : ScaleInRange(*zoom);
    if (RunModalDialog({TEMPLATE_SCALE, ScaleDlgHandler, kScaleHelpTopic, nullptr}) != 1)
        return 0;
    *zoom = Exchange.mainValue == kScaleHundred ? 0 : Exchange.mainValue;
    return 1;
}
