#include "frame/arrow_dialog.h"

#include "common/control_help.h"
#include "common/dialog_exchange.h"
#include "common/icon_button.h"
#include "common/mapping.h"
#include "common/modal_dialog.h"
#include "common/sample_window.h"
#include "common/window_helpers.h"
#include "frame/arrow_choice.h"
#include "lines/arrowheads.h"
#include "resources/dialog_ids.h"

namespace {

// What's This help on the controls.
const std::vector<DWORD>& ArrowHelpPairs()
{
    static const std::vector<DWORD> pairs = ControlHelpPairs({
        {IDC_ARROW_SAMPLE, IDC_ARROW_SAMPLE, 15026},
        {IDC_ARROW_START_FIRST, IDC_ARROW_START_LAST, 15023},
        {IDC_ARROW_END_FIRST, IDC_ARROW_END_LAST, 15024},
        {IDC_ARROW_START_NORMAL, IDC_ARROW_START_DISPLACED, 15027},
        {IDC_ARROW_END_NORMAL, IDC_ARROW_END_DISPLACED, 15027},
        {IDC_ARROW_SIZE_FIRST, IDC_ARROW_SIZE_LAST, 15025},
    });
    return pairs;
}


const int kArrowHelpTopic = 30039;
const int kBoxHalf = 150;
const int kBoxHalfHeight = 75;
const int kSampleLineWidth = 6;
const int kKindButtonWidth = 24;
const int kStartBitmapBase = 2051;
const int kEndBitmapBase = 2001;
const int kNoMarkerBitmap = 2051;
const int kStartShiftBitmap = 2111;
const int kEndShiftBitmap = 2101;
const int kSizeBitmap = 2153;
const int kStartEndBit = 2;
const int kEndEndBit = 1;
const int kShortenedEndFirst = 21;
const int kShortenedEndSetback = 6;
const uint32_t kDisplacedWord = 0x100;

// Each group of buttons and the exchange field its choice goes to.
struct ButtonGroup {
    int first;
    int last;
    int32_t* field;
};

ButtonGroup Groups[] = {
    {IDC_ARROW_START_FIRST, IDC_ARROW_START_LAST, &Exchange.mainValue},
    {IDC_ARROW_END_FIRST, IDC_ARROW_END_LAST, &Exchange.secondValue},
    {IDC_ARROW_START_NORMAL, IDC_ARROW_START_DISPLACED, &Exchange.firstExtra},
    {IDC_ARROW_END_NORMAL, IDC_ARROW_END_DISPLACED, &Exchange.secondExtra},
    {IDC_ARROW_SIZE_FIRST, IDC_ARROW_SIZE_LAST, &Exchange.thirdExtra},
};

ArrowChoice ExchangedChoice()
{
    return {Exchange.mainValue, Exchange.secondValue, Exchange.firstExtra, Exchange.secondExtra,
            Exchange.thirdExtra};
}

int BitmapFor(int id)
{
    if (id >= IDC_ARROW_START_FIRST && id <= IDC_ARROW_START_LAST)
        return kStartBitmapBase + id - IDC_ARROW_START_FIRST;
    if (id >= IDC_ARROW_END_FIRST && id <= IDC_ARROW_END_LAST)
        return id == IDC_ARROW_END_FIRST ? kNoMarkerBitmap : kEndBitmapBase + id - IDC_ARROW_END_FIRST;
    if (id >= IDC_ARROW_START_NORMAL && id <= IDC_ARROW_START_DISPLACED)
        return kStartShiftBitmap + id - IDC_ARROW_START_NORMAL;
    if (id >= IDC_ARROW_END_NORMAL && id <= IDC_ARROW_END_DISPLACED)
        return kEndShiftBitmap + id - IDC_ARROW_END_NORMAL;
    return kSizeBitmap + id - IDC_ARROW_SIZE_FIRST;
}

// The buttons of each template row side by side, 24 pixels wide, the row
// beginning as far left of the first button as the buttons grew twice.
void LayOutKindButtons(HWND dialog, int first, int last)
{
    const RECT firstRect = DialogChildRect(dialog, GetDlgItem(dialog, first));
    const int grown = kKindButtonWidth - (firstRect.right - firstRect.left);
    const int rowLeft = firstRect.left - 2 * grown;
    int rowTop = -1;
    int x = rowLeft;
    for (int row = 0; row < 2 * kArrowKinds; ++row) {
        // Rows in the order of their tops, buttons in the order of their ids.
        int nextTop = -1;
        for (int id = first; id <= last; ++id) {
            const RECT r = DialogChildRect(dialog, GetDlgItem(dialog, id));
            if (r.top > rowTop && (nextTop < 0 || r.top < nextTop))
                nextTop = r.top;
        }
        if (nextTop < 0)
            return;
        x = rowLeft;
        for (int id = first; id <= last; ++id) {
            HWND button = GetDlgItem(dialog, id);
            const RECT r = DialogChildRect(dialog, button);
            if (r.top != nextTop)
                continue;
            MoveWindow(button, x, r.top, kKindButtonWidth, r.bottom - r.top, FALSE);
            x += kKindButtonWidth;
        }
        rowTop = nextTop;
    }
}

void LayOutSizeButtons(HWND dialog)
{
    const RECT firstRect = DialogChildRect(dialog, GetDlgItem(dialog, IDC_ARROW_SIZE_FIRST));
    const int width = firstRect.right - firstRect.left;
    for (int id = IDC_ARROW_SIZE_FIRST; id <= IDC_ARROW_SIZE_LAST; ++id)
        MoveWindow(GetDlgItem(dialog, id), firstRect.left + (id - IDC_ARROW_SIZE_FIRST) * width, firstRect.top,
                   width, firstRect.bottom - firstRect.top, FALSE);
}

void PressChosen(HWND dialog, const ButtonGroup& group)
{
    for (int id = group.first; id <= group.last; ++id) {
        HWND button = GetDlgItem(dialog, id);
        SetWindowLongA(button, kIconButtonBitmapWord, BitmapFor(id));
        SetIconButtonDownQuiet(button, *group.field == id - group.first);
    }
}

void OnInitDialog(HWND dialog)
{
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_ARROW_SAMPLE), kSamplePainterWord,
                      reinterpret_cast<LONG_PTR>(SampleDrawCallback));
    LayOutKindButtons(dialog, IDC_ARROW_START_FIRST, IDC_ARROW_START_LAST);
    LayOutKindButtons(dialog, IDC_ARROW_END_FIRST, IDC_ARROW_END_LAST);
    LayOutSizeButtons(dialog);
    for (const ButtonGroup& group : Groups)
        PressChosen(dialog, group);
}

bool OnGroupClick(HWND dialog, int id)
{
    for (const ButtonGroup& group : Groups) {
        if (id < group.first || id > group.last)
            continue;
        for (int other = group.first; other <= group.last; ++other) {
            HWND button = GetDlgItem(dialog, other);
            const bool chosen = other == id;
            if ((IsIconButtonDown(button) != FALSE) != chosen)
                SetIconButtonDown(button, chosen ? TRUE : FALSE);
        }
        *group.field = id - group.first;
        RefreshSampleWindow(GetDlgItem(dialog, IDC_ARROW_SAMPLE));
        return true;
    }
    return false;
}

uint32_t HeadWord(int kind, int shift)
{
    return kind == 0 ? 0 : static_cast<uint32_t>(kind) | (shift == 1 ? kDisplacedWord : 0);
}

void DrawSampleLine(HDC dc, const ArrowChoice& choice, int right, int y)
{
    const int left = kBoxHalf;
    int lineRight = right - kBoxHalf;
    if (choice.endKind >= kShortenedEndFirst)
        lineRight -= kShortenedEndSetback;
    const int ends = (choice.startKind ? kStartEndBit : 0) | (choice.endKind ? kEndEndBit : 0);
    HPEN pen = CreatePen(PS_SOLID, kSampleLineWidth, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const uint32_t start = HeadWord(choice.startKind, choice.startShift);
    const uint32_t end = HeadWord(choice.endKind, choice.endShift);
    const int startBack = GetArrowheadSetback(start, choice.size, kSampleLineWidth);
    const int endBack = GetArrowheadSetback(end, choice.size, kSampleLineWidth);
    MoveToEx(dc, left + (ends & kStartEndBit ? startBack : 0), y, nullptr);
    LineTo(dc, lineRight - (ends & kEndEndBit ? endBack : 0), y);
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    DrawArrowheads(dc, ends, start, end, kSampleLineWidth, choice.size, 0, left, y, lineRight, y,
                   static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), thin, pen);
    SelectObject(dc, oldPen);
    DeleteObject(thin);
    DeleteObject(pen);
}

} // namespace

int DrawArrowSample(HDC dc, RECT* client)
{
    const int saved = SaveDC(dc);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    const RECT area = BeginSamplePaint(dc, client, kDrawingUnitsPerInch, brush);
    SelectObject(dc, brush);
    const int y = area.bottom / 2;
    Rectangle(dc, -kBoxHalf, y - kBoxHalfHeight, kBoxHalf, y + kBoxHalfHeight);
    Rectangle(dc, area.right - kBoxHalf, y - kBoxHalfHeight, area.right + kBoxHalf, y + kBoxHalfHeight);
    const ArrowChoice choice = ExchangedChoice();
    if (!IsArrowChoiceMixed(choice))
        DrawSampleLine(dc, choice, area.right, y);
    RestoreDC(dc, saved);
    DeleteObject(brush);
    return 0;
}

INT_PTR CALLBACK ArrowDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog);
        return TRUE;
    }
    if (message == WM_HELP || message == WM_CONTEXTMENU)
        return ShowControlHelp(dialog, message, wParam, lParam, ArrowHelpPairs().data()) ? TRUE : FALSE;
    if (message != WM_COMMAND || HIWORD(wParam) != kIconClicked)
        return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return OnGroupClick(dialog, id) ? TRUE : FALSE;
}

int RunArrowDlg(HGLOBAL, int32_t* size, int32_t* start, int32_t* end)
{
    const ArrowChoice choice = ArrowChoiceFromWords(*start, *end, *size);
    Exchange.mainValue = choice.startKind;
    Exchange.secondValue = choice.endKind;
    Exchange.firstExtra = choice.startShift;
    Exchange.secondExtra = choice.endShift;
    Exchange.thirdExtra = choice.size;
    SampleDrawCallback = DrawArrowSample;
    if (RunModalDialog({TEMPLATE_ARROWS, ArrowDlgHandler, kArrowHelpTopic, nullptr}) != 1)
        return 0;
    ArrowWordsFromChoice(ExchangedChoice(), start, end, size);
    return 1;
}
