#include "text/font_size_box.h"

#include <dlgs.h>

#include <cstdio>

#include "common/string_helpers.h"
#include "resources/resource_ids.h"

namespace {

const char kLimitsProperty[] = "TessaryPlus.FontSizeLimits";
const int kSizeBox = cmb3;
const int kLargestSizeDigits = 5;

struct SizeLimits {
    int least;
    int most;
};

SizeLimits LimitsOf(HWND dialog)
{
    const auto packed = reinterpret_cast<ULONG_PTR>(GetPropA(dialog, kLimitsProperty));
    return {static_cast<int>(LOWORD(packed)), static_cast<int>(HIWORD(packed))};
}

// Digits with spaces around them; "12pt" or "1e2" is no size.
bool ParseWholeNumber(const char* text, int* number)
{
    const char* p = text;
    while (*p == ' ')
        ++p;
    int value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > kLargestSizeDigits)
            return false;
        value = value * 10 + (*p - '0');
    }
    while (*p == ' ')
        ++p;
    *number = value;
    return digits > 0 && *p == '\0';
}

void WarnSizeOutOfRange(HWND dialog, SizeLimits limits)
{
    char format[kStringBufferSize];
    char text[kStringBufferSize];
    char title[kStringBufferSize];
    if (LoadStr(IDS_FONT_SIZE_RANGE, format) != kErrNone || LoadStr(IDS_APP_TITLE, title) != kErrNone)
        return;
    std::snprintf(text, sizeof(text), format, limits.least, limits.most);
    MessageBoxA(dialog, text, title, MB_OK | MB_ICONEXCLAMATION);
}

// The list position for a size: its own item, or a new one in order. The
// items' data are their sizes in points.
LRESULT ListItemFor(HWND box, int size, const char* text)
{
    LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index != CB_ERR)
        return index;
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    LRESULT before = 0;
    while (before < count && static_cast<int>(LOWORD(SendMessageA(box, CB_GETITEMDATA, before, 0))) < size)
        ++before;
    index = SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(before), reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(index), size);
    return index;
}

// Some dialogs take the size only from a pick in the list, never from what
// was typed: a typed size becomes the picked one. Typing may already have
// moved the list's selection without telling the dialog, so it is told always.
void PickSize(HWND dialog, HWND box, int size)
{
    char text[kLargestSizeDigits + 1];
    std::snprintf(text, sizeof(text), "%d", size);
    const LRESULT index = ListItemFor(box, size, text);
    if (index < 0)
        return;
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kSizeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

} // namespace

void RememberFontSizeLimits(HWND dialog, const CHOOSEFONTA& choose)
{
    const ULONG_PTR packed = MAKELONG(choose.nSizeMin, choose.nSizeMax);
    SetPropA(dialog, kLimitsProperty, reinterpret_cast<HANDLE>(packed));
}

void ForgetFontSizeLimits(HWND dialog)
{
    RemovePropA(dialog, kLimitsProperty);
}

bool AcceptFontSizeBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, kSizeBox);
    if (!box || !IsWindowEnabled(box) || !GetPropA(dialog, kLimitsProperty))
        return true;
    char text[kStringBufferSize] = "";
    GetWindowTextA(box, text, sizeof(text));
    if (!text[0])
        return true;
    const SizeLimits limits = LimitsOf(dialog);
    int size = 0;
    if (!ParseWholeNumber(text, &size) || size < limits.least || size > limits.most) {
        WarnSizeOutOfRange(dialog, limits);
        SetFocus(box);
        SendMessageA(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return false;
    }
    PickSize(dialog, box, size);
    return true;
}
