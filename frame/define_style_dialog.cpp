// Define Colors and Shadow Styles: the style list edited in a working copy,
// written back and saved to the options file only on OK.
#include <cstring>

#include "common/dialog_exchange.h"
#include "common/edit_errors.h"
#include "common/icon_button.h"
#include "common/io_seam.h"
#include "common/popup_picker.h"
#include "common/sample_window.h"
#include "common/window_helpers.h"
#include "documents/options_file.h"
#include "frame/menu_build.h"
#include "frame/style_dialogs.h"
#include "frame/style_rules.h"
#include "objects/app_options.h"
#include "objects/color_table.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kKindBitmapOffset = 3700;
const int kDirectionBitmapOffset = 3699;
const int kPickerNoColorIndex = kColorTableEntries;
const int kNameText = 64;
const int kTextSize = 64;
const ErrorCode kNoCopy{10004};
const int kPickerWidth = 24;
const int kPickerCount = IDC_DEFSTYLE_HIGHLIGHT - IDC_DEFSTYLE_BORDER + 1;
const int kLeftColumnPickers = IDC_DEFSTYLE_SHADOW - IDC_DEFSTYLE_BORDER;

// The colour of the style that picker number `picker` (0 Borders .. 6 Hilite) edits.
COLORREF* PickerColour(ColorStyle* style, int picker)
{
    COLORREF* colours[kPickerCount] = {&style->borderColor, &style->lineColor,       &style->fillColor,
                                       &style->textColor,   &style->shadowColor,     &style->backgroundColor,
                                       &style->highlightColor};
    return colours[picker];
}

// The picker shows "Transparent" for no colour, else the colour's place in
// the table, or the colour itself when the table lacks it.
int PickerIndex(COLORREF colour)
{
    if (colour == CLR_INVALID)
        return kPopupTransparentIndex;
    const COLORREF* table = StandardColors();
    for (int i = 0; i < kColorTableEntries; ++i)
        if (table[i] == colour)
            return i;
    return -1;
}

// Swatches 24 pixels wide: the left column keeps its right edge.
void WidenPickers(HWND dialog)
{
    for (int picker = 0; picker < kPickerCount; ++picker) {
        HWND window = GetDlgItem(dialog, IDC_DEFSTYLE_BORDER + picker);
        const RECT r = DialogChildRect(dialog, window);
        const int left = picker < kLeftColumnPickers ? r.right - kPickerWidth : r.left + 1;
        MoveWindow(window, left, r.top, kPickerWidth, r.bottom - r.top, FALSE);
    }
}

void ShowPickerColours(HWND dialog)
{
    ColorStyle style = WorkStyle();
    // The colour table outlives the dialog: the pickers may keep pointing at it.
    const LONG* values = reinterpret_cast<const LONG*>(StandardColors());
    for (int picker = 0; picker < kPickerCount; ++picker) {
        const int id = IDC_DEFSTYLE_BORDER + picker;
        const bool fills = id == IDC_DEFSTYLE_FILL || id == IDC_DEFSTYLE_BACKGROUND;
        const COLORREF colour = *PickerColour(&style, picker);
        SetPopupData(dialog, id, static_cast<LONG>(colour), values, SamplePalette,
                     fills ? FillColorPopup() : BorderColorPopup(), PickerIndex(colour), FALSE);
        InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
    }
}

int CopyCount()
{
    return LockedStyleList(StyleListCopy).count();
}

bool HasStyle(int index)
{
    return index >= 0 && index < CopyCount();
}

bool ExtraListed(HWND dialog)
{
    return SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_GETCOUNT, 0, 0) > CopyCount();
}

void Show(HWND dialog, int id, bool shown)
{
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void ReadName(HWND dialog, char* name)
{
    char typed[kNameText] = "";
    GetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, typed, sizeof(typed));
    // Typed names are cut to 30 characters.
    lstrcpynA(name, typed, kStyleNameTyped + 1);
}

void SetName(ColorStyle* style, const char* name)
{
    std::memset(style->name, 0, sizeof(style->name));
    lstrcpynA(style->name, name, kStyleNameTyped + 1);
}

void FocusName(HWND dialog)
{
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DEFSTYLE_NAME)), TRUE);
}

StyleEditButtons CurrentButtons(HWND dialog)
{
    char name[kNameText];
    ReadName(dialog, name);
    const int selected = Exchange.mainValue;
    const ColorStyle work = WorkStyle();
    LockedStyleList copy(StyleListCopy);
    const ColorStyle* chosen = copy.at(selected);
    StyleNameFacts facts = {};
    facts.empty = name[0] == 0;
    facts.extraSelected = chosen == nullptr;
    facts.takenByAnother = FindStyleNamed(copy.styles(), copy.count(), name, chosen ? selected : -1) >= 0;
    if (chosen) {
        char own[sizeof(ColorStyle::name) + 1];
        StyleName(*chosen, own, sizeof(own));
        facts.sameAsSelectedName = lstrcmpiA(own, name) == 0;
        facts.unchanged = SameStyle(work, *chosen, true);
    }
    return ButtonsForNameState(ComputeNameState(facts), copy.count());
}

void UpdateEditButtons(HWND dialog)
{
    const StyleEditButtons buttons = CurrentButtons(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_DEFSTYLE_ADD), buttons.add);
    EnableWindow(GetDlgItem(dialog, IDC_DEFSTYLE_CHANGE), buttons.change);
    EnableWindow(GetDlgItem(dialog, IDC_DEFSTYLE_RENAME), buttons.rename);
    EnableWindow(GetDlgItem(dialog, IDC_DEFSTYLE_DELETE), buttons.remove);
}

// After an edit of the style: an empty name field takes the style's name
// (its change notification then decides the buttons).
void RefreshNameState(HWND dialog)
{
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_DEFSTYLE_NAME)) == 0) {
        char name[sizeof(ColorStyle::name) + 1];
        StyleName(WorkStyle(), name, sizeof(name));
        SetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, name);
        FocusName(dialog);
    }
    UpdateEditButtons(dialog);
}

void PressOnly(HWND dialog, int first, int last, int pressed)
{
    for (int id = first; id <= last; ++id)
        SetIconButtonDown(GetDlgItem(dialog, id), id == pressed ? TRUE : FALSE);
}

void UpdateShadowControls(HWND dialog)
{
    const ColorStyle style = WorkStyle();
    const int kind = style.shadowKind;
    const bool copies = kind >= 3;
    Show(dialog, IDC_DEFSTYLE_ANGLE_GROUP, copies);
    for (int id = IDC_DEFSTYLE_DIR_FIRST; id <= IDC_DEFSTYLE_DIR_LAST; ++id)
        Show(dialog, id, copies);
    if (copies)
        PressOnly(dialog, IDC_DEFSTYLE_DIR_FIRST, IDC_DEFSTYLE_DIR_LAST,
                  IDC_DEFSTYLE_DIR_FIRST + ShadowDirectionOf(style));
    Show(dialog, IDC_STYLE_SHADOW_LINES, kind != 0);
    Show(dialog, IDC_STYLE_SHADOW_TEXT, kind != 0);
    Show(dialog, IDC_STYLE_REVERSE_TEXT, kind == 1 || kind == 2);
    EnableWindow(GetDlgItem(dialog, IDC_STYLE_SHADOW_LINES), kind >= 3);
    CheckStyleFlags(dialog, style);
}

void FillList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    LockedStyleList copy(StyleListCopy);
    for (int i = 0; i < copy.count(); ++i) {
        char name[sizeof(ColorStyle::name) + 1];
        StyleName(copy.styles()[i], name, sizeof(name));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    if (Exchange.mainValue >= copy.count()) {
        char text[kTextSize] = "";
        LoadStringA(GetModuleHandleA(nullptr), IDS_NO_STYLE, text, sizeof(text));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void LoadEntry(HWND dialog, int index)
{
    char name[sizeof(ColorStyle::name) + 1] = "";
    ColorStyle style = InputStyle();
    {
        LockedStyleList copy(StyleListCopy);
        if (const ColorStyle* chosen = copy.at(index)) {
            style = *chosen;
            StyleName(style, name, sizeof(name));
        } else {
            char prefix[kTextSize] = "";
            LoadStringA(GetModuleHandleA(nullptr), IDS_NEW_STYLE, prefix, sizeof(prefix));
            ProposeStyleName(copy.styles(), copy.count(), prefix, name, sizeof(name));
        }
    }
    if (HasStyle(index) && ExtraListed(dialog))
        SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_DELETESTRING, static_cast<WPARAM>(CopyCount()), 0);
    SetWorkStyle(style);
    Exchange.mainValue = index;
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, name);
    RepaintStyleSample(dialog);
    PressOnly(dialog, IDC_DEFSTYLE_KIND_FIRST, IDC_DEFSTYLE_KIND_LAST, IDC_DEFSTYLE_KIND_FIRST + style.shadowKind);
    UpdateShadowControls(dialog);
    ShowPickerColours(dialog);
    UpdateEditButtons(dialog);
    FocusName(dialog);
}

// Each button of a group takes the first one's size; a button on the first
// one's row follows the one before it, any other lies below the one before it.
void LayOutButtonGrid(HWND dialog, int first, int last, int bitmapOffset)
{
    const RECT firstRect = DialogChildRect(dialog, GetDlgItem(dialog, first));
    const int width = firstRect.right - firstRect.left;
    const int height = firstRect.bottom - firstRect.top;
    RECT previous = firstRect;
    for (int id = first; id <= last; ++id) {
        HWND button = GetDlgItem(dialog, id);
        if (id > first) {
            const RECT r = DialogChildRect(dialog, button);
            const POINT at = r.top == firstRect.top ? POINT{previous.right, previous.top}
                                                    : POINT{previous.left, previous.bottom};
            MoveWindow(button, at.x, at.y, width, height, FALSE);
            previous = {at.x, at.y, at.x + width, at.y + height};
        }
        SetWindowLongA(button, kIconButtonBitmapWord, id + bitmapOffset);
        SetWindowLongA(button, kIconButtonStyleWord, kIconTransparent);
    }
}

bool CopyBlockBytes(HGLOBAL fromBlock, HGLOBAL toBlock, SIZE_T size)
{
    void* to = GlobalLock(toBlock);
    const void* from = GlobalLock(fromBlock);
    if (to && from)
        std::memcpy(to, from, size);
    if (from)
        GlobalUnlock(fromBlock);
    if (to)
        GlobalUnlock(toBlock);
    return to && from;
}

ErrorCode MakeWorkingCopy()
{
    const SIZE_T size = ColorStyles ? GlobalSize(ColorStyles) : 0;
    if (size < static_cast<SIZE_T>(kColorStyleListHead))
        return kNoCopy;
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return kNoCopy;
    if (!CopyBlockBytes(ColorStyles, copy, size)) {
        GlobalFree(copy);
        return kNoCopy;
    }
    StyleListCopy = copy;
    return kErrNone;
}

bool OnInitDialog(HWND dialog)
{
    if (MakeWorkingCopy() != kErrNone)
        return false;
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_STYLE_SAMPLE), kSamplePainterWord,
                      reinterpret_cast<LONG_PTR>(SampleDrawCallback));
    SetDialogItemsFont(dialog, IDC_DEFSTYLE_LABEL_BACKGROUND, IDC_DEFSTYLE_LABEL_HIGHLIGHT);
    FillList(dialog);
    LayOutButtonGrid(dialog, IDC_DEFSTYLE_KIND_FIRST, IDC_DEFSTYLE_KIND_LAST, kKindBitmapOffset);
    LayOutButtonGrid(dialog, IDC_DEFSTYLE_DIR_FIRST, IDC_DEFSTYLE_DIR_LAST, kDirectionBitmapOffset);
    WidenPickers(dialog);
    LoadEntry(dialog, Exchange.mainValue);
    return true;
}

void EditWorkStyle(HWND dialog, void (*edit)(ColorStyle*, int), int value)
{
    ColorStyle style = WorkStyle();
    edit(&style, value);
    SetWorkStyle(style);
    RefreshNameState(dialog);
    UpdateShadowControls(dialog);
    RepaintStyleSample(dialog);
}

void SetColour(ColorStyle* style, int packed)
{
    // The picker's number in the high half, the chosen index in the low.
    const int picker = packed >> 8;
    const int index = packed & 0xFF;
    if (picker < 0 || picker >= kPickerCount)
        return;
    *PickerColour(style, picker) = index < kColorTableEntries ? StandardColors()[index] : CLR_INVALID;
}

void ClearName(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_DEFSTYLE_NAME, "");
    FocusName(dialog);
}

bool GrowCopy()
{
    const int count = CopyCount();
    const SIZE_T size = kColorStyleListHead + static_cast<SIZE_T>(count + 1) * sizeof(ColorStyle);
    if (GlobalSize(StyleListCopy) >= size)
        return true;
    HGLOBAL grown = SeamGlobalReAlloc(StyleListCopy, size, GMEM_MOVEABLE);
    if (!grown)
        return false;
    StyleListCopy = grown;
    return true;
}

void AddStyle(HWND dialog)
{
    if (!CurrentButtons(dialog).add || !GrowCopy())
        return;
    char name[kNameText];
    ReadName(dialog, name);
    ColorStyle style = WorkStyle();
    SetName(&style, name);
    int added;
    {
        LockedStyleList copy(StyleListCopy);
        added = copy.count();
        std::memcpy(copy.styles() + added, &style, sizeof(style));
        copy.setCount(added + 1);
    }
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) > added)
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(added), 0);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    LoadEntry(dialog, added);
    ClearName(dialog);
}

void ChangeStyle(HWND dialog)
{
    if (!CurrentButtons(dialog).change)
        return;
    {
        LockedStyleList copy(StyleListCopy);
        ColorStyle* chosen = copy.at(Exchange.mainValue);
        if (!chosen)
            return;
        ColorStyle style = WorkStyle();
        std::memcpy(style.name, chosen->name, sizeof(style.name));
        *chosen = style;
        SetWorkStyle(style);
    }
    ClearName(dialog);
    RefreshNameState(dialog);
}

void RenameStyle(HWND dialog)
{
    if (!CurrentButtons(dialog).rename)
        return;
    char name[kNameText];
    ReadName(dialog, name);
    const int index = Exchange.mainValue;
    {
        LockedStyleList copy(StyleListCopy);
        ColorStyle* chosen = copy.at(index);
        if (!chosen)
            return;
        SetName(chosen, name);
        ColorStyle style = WorkStyle();
        SetName(&style, name);
        SetWorkStyle(style);
    }
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    UpdateEditButtons(dialog);
    FocusName(dialog);
}

void DeleteStyle(HWND dialog)
{
    const int index = Exchange.mainValue;
    {
        LockedStyleList copy(StyleListCopy);
        if (copy.count() <= 1 || !copy.at(index))
            return;
        std::memmove(copy.styles() + index, copy.styles() + index + 1,
                     static_cast<size_t>(copy.count() - index - 1) * sizeof(ColorStyle));
        copy.setCount(copy.count() - 1);
    }
    // A block larger than its count is sound: a failed shrink changes nothing.
    if (HGLOBAL shrunk = SeamGlobalReAlloc(
            StyleListCopy, kColorStyleListHead + static_cast<SIZE_T>(CopyCount()) * sizeof(ColorStyle), GMEM_MOVEABLE))
        StyleListCopy = shrunk;
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    LoadEntry(dialog, index > 0 ? index - 1 : 0);
    ClearName(dialog);
}

// The list goes back into the options and to the options file; false keeps
// the dialog open with its edits.
bool OnAccept(HWND dialog)
{
    const StyleEditButtons buttons = CurrentButtons(dialog);
    if (buttons.add)
        AddStyle(dialog);
    else if (buttons.change)
        ChangeStyle(dialog);
    const SIZE_T size = GlobalSize(StyleListCopy);
    HGLOBAL list = SeamGlobalReAlloc(ColorStyles, size, GMEM_MOVEABLE);
    if (!list)
        return false;
    ColorStyles = list;
    if (!CopyBlockBytes(StyleListCopy, ColorStyles, size))
        return false;
    const ErrorCode saved = SaveOptions();
    if (saved != kErrNone)
        ReportEditError(saved);
    return true;
}

bool OnListEdit(HWND dialog, int id)
{
    switch (id) {
    case IDC_DEFSTYLE_ADD:
        AddStyle(dialog);
        return true;
    case IDC_DEFSTYLE_CHANGE:
        ChangeStyle(dialog);
        return true;
    case IDC_DEFSTYLE_RENAME:
        RenameStyle(dialog);
        return true;
    case IDC_DEFSTYLE_DELETE:
        DeleteStyle(dialog);
        return true;
    default:
        return false;
    }
}

bool OnCommand(HWND dialog, int id, int notification, LPARAM lParam)
{
    if (id == IDOK && notification == 0) {
        if (OnAccept(dialog))
            EndDialog(dialog, 1);
        return true;
    }
    if (id == IDC_DEFSTYLE_NAME)
        return notification == EN_CHANGE ? (UpdateEditButtons(dialog), true) : false;
    if (id == IDC_STYLE_LIST) {
        if (notification == LBN_SELCHANGE)
            LoadEntry(dialog, static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0)));
        return true;
    }
    if (id >= IDC_DEFSTYLE_KIND_FIRST && id <= IDC_DEFSTYLE_KIND_LAST && notification == kIconClicked) {
        PressOnly(dialog, IDC_DEFSTYLE_KIND_FIRST, IDC_DEFSTYLE_KIND_LAST, id);
        EditWorkStyle(dialog, ChooseShadowKind, id - IDC_DEFSTYLE_KIND_FIRST);
        return true;
    }
    if (id >= IDC_DEFSTYLE_DIR_FIRST && id <= IDC_DEFSTYLE_DIR_LAST && notification == kIconClicked) {
        EditWorkStyle(dialog, ChooseShadowDirection, id - IDC_DEFSTYLE_DIR_FIRST);
        return true;
    }
    if (id >= IDC_DEFSTYLE_BORDER && id <= IDC_DEFSTYLE_HIGHLIGHT && notification == 0) {
        const int index = lParam >= 0 && lParam < kPickerNoColorIndex ? static_cast<int>(lParam) : 0xFF;
        EditWorkStyle(dialog, SetColour, ((id - IDC_DEFSTYLE_BORDER) << 8) | index);
        return true;
    }
    if ((id == IDC_STYLE_SHADOW_LINES || id == IDC_STYLE_SHADOW_TEXT || id == IDC_STYLE_REVERSE_TEXT) &&
        notification == BN_CLICKED) {
        ApplyFlagBox(dialog, id);
        UpdateShadowControls(dialog);
        RefreshNameState(dialog);
        return true;
    }
    return notification == BN_CLICKED && OnListEdit(dialog, id);
}

} // namespace

INT_PTR CALLBACK DefineStyleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // Without memory for the working copy the dialog does not open.
        if (!OnInitDialog(dialog))
            EndDialog(dialog, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), lParam) ? TRUE : FALSE;
}
