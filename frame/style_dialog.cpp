#include "frame/style_dialogs.h"

#include <cstdio>
#include <cstring>

#include "common/control_help.h"
#include "common/color_helpers.h"
#include "common/dialog_exchange.h"
#include "common/mapping.h"
#include "common/modal_dialog.h"
#include "common/sample_window.h"
#include "common/window_helpers.h"
#include "frame/style_rules.h"
#include "objects/app_options.h"
#include "objects/drawing_layout.h"
#include "objects/paint_drawing.h"
#include "objects/shape_types.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

HGLOBAL SampleDrawing = nullptr;
HPALETTE SamplePalette = nullptr;
HGLOBAL StyleListCopy = nullptr;

namespace {

// What's This help on the controls.
const std::vector<DWORD>& StyleHelpPairs()
{
    static const std::vector<DWORD> pairs = ControlHelpPairs({
        {IDC_STYLE_LIST, IDC_STYLE_LIST, 15041},
        {IDC_STYLE_SHADOW_LINES, IDC_STYLE_SHADOW_LINES, 15009},
        {IDC_STYLE_SHADOW_TEXT, IDC_STYLE_SHADOW_TEXT, 15008},
        {IDC_STYLE_REVERSE_TEXT, IDC_STYLE_REVERSE_TEXT, 15007},
        {IDC_STYLE_DEFINE, IDC_STYLE_DEFINE, 15042},
        {IDC_STYLE_SAMPLE, IDC_STYLE_SAMPLE, 15017},
        {IDC_STYLE_APPLY_FILLS, IDC_STYLE_APPLY_FILLS, 15043},
        {IDC_STYLE_APPLY_LINES, IDC_STYLE_APPLY_LINES, 15044},
    });
    return pairs;
}


const int kStyleHelpTopic = 30028;
const int kDefineHelpTopic = 30027;
const int kTextSize = 64;
const int kNoShadowKind = 0;

bool IsExtrusion(int kind)
{
    return kind == 1 || kind == 2;
}

void Show(HWND dialog, int id, bool shown)
{
    ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void FillNames(HWND list, HGLOBAL block)
{
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    LockedStyleList styles(block);
    for (int i = 0; i < styles.count(); ++i) {
        char name[sizeof(ColorStyle::name) + 1];
        StyleName(styles.styles()[i], name, sizeof(name));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

void AddExtraEntry(HWND list)
{
    char text[kTextSize] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_NO_STYLE, text, sizeof(text));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// The shadow boxes as the loaded style's kind allows them.
void ShowShadowBoxes(HWND dialog, const ColorStyle& style)
{
    const bool shadow = style.shadowKind != kNoShadowKind;
    Show(dialog, IDC_STYLE_NO_SHADOW, !shadow);
    Show(dialog, IDC_STYLE_SHADOW_LINES, shadow);
    Show(dialog, IDC_STYLE_SHADOW_TEXT, shadow);
    Show(dialog, IDC_STYLE_REVERSE_TEXT, shadow && IsExtrusion(style.shadowKind));
    Enable(dialog, IDC_STYLE_SHADOW_LINES, !IsExtrusion(style.shadowKind));
    // An extrusion always reaches the lines, so their colours must too.
    if (shadow && IsExtrusion(style.shadowKind))
        CheckDlgButton(dialog, IDC_STYLE_APPLY_LINES, BST_CHECKED);
    Enable(dialog, IDC_STYLE_APPLY_LINES, !(shadow && IsExtrusion(style.shadowKind)));
    CheckStyleFlags(dialog, style);
}

void LoadEntry(HWND dialog, int index)
{
    ColorStyle style = InputStyle();
    {
        LockedStyleList styles(ColorStyles);
        if (const ColorStyle* chosen = styles.at(index))
            style = *chosen;
    }
    SetWorkStyle(style);
    Exchange.mainValue = index;
    ShowShadowBoxes(dialog, style);
    RepaintStyleSample(dialog);
}

int ListSelection(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_GETCURSEL, 0, 0));
}

void SelectAndLoad(HWND dialog, int index)
{
    SendDlgItemMessageA(dialog, IDC_STYLE_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    LoadEntry(dialog, index);
}

void OnInitDialog(HWND dialog)
{
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_STYLE_SAMPLE), kSamplePainterWord,
                      reinterpret_cast<LONG_PTR>(SampleDrawCallback));
    SetDialogItemsFont(dialog, IDC_STYLE_HINT, IDC_STYLE_HINT);
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    FillNames(list, ColorStyles);
    const ColorStyle current = InputStyle();
    int entry;
    {
        LockedStyleList styles(ColorStyles);
        entry = ChooseStyleEntry(styles.styles(), styles.count(), current);
        if (entry >= styles.count())
            AddExtraEntry(list);
    }
    CheckDlgButton(dialog, IDC_STYLE_APPLY_LINES, BST_CHECKED);
    CheckDlgButton(dialog, IDC_STYLE_APPLY_FILLS, BST_CHECKED);
    SelectAndLoad(dialog, entry);
    // A style equal apart from its flags takes the drawing's flags.
    ColorStyle loaded = WorkStyle();
    if (loaded.flags != current.flags) {
        loaded.flags = current.flags;
        SetWorkStyle(loaded);
        CheckStyleFlags(dialog, loaded);
        RepaintStyleSample(dialog);
    }
}

void RunDefineDialog(HWND dialog)
{
    const int kept = Exchange.mainValue;
    const INT_PTR result =
        RunModalDialog({TEMPLATE_DEFINE_STYLE, DefineStyleDlgHandler, kDefineHelpTopic, dialog});
    HWND list = GetDlgItem(dialog, IDC_STYLE_LIST);
    if (result == 1) {
        FillNames(list, ColorStyles);
        LockedStyleList styles(ColorStyles);
        // The drawing's own settings stay offered when the Define dialog ended on them.
        if (Exchange.mainValue >= styles.count()) {
            AddExtraEntry(list);
            Exchange.mainValue = styles.count();
        }
    } else {
        Exchange.mainValue = kept;
    }
    SelectAndLoad(dialog, Exchange.mainValue);
    if (StyleListCopy)
        GlobalFree(StyleListCopy);
    StyleListCopy = nullptr;
}

void OnAccept(HWND dialog)
{
    Exchange.mainValue = ListSelection(dialog);
    Exchange.firstExtra = IsDlgButtonChecked(dialog, IDC_STYLE_APPLY_FILLS) == BST_CHECKED ? 1 : 0;
    Exchange.thirdExtra = IsDlgButtonChecked(dialog, IDC_STYLE_APPLY_LINES) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, 1);
}

bool OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDOK:
        if (notification != 0)
            return false;
        OnAccept(dialog);
        return true;
    case IDC_STYLE_LIST:
        if (notification == LBN_SELCHANGE)
            LoadEntry(dialog, ListSelection(dialog));
        else if (notification == LBN_DBLCLK)
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    case IDC_STYLE_DEFINE:
        if (notification == BN_CLICKED)
            RunDefineDialog(dialog);
        return true;
    case IDC_STYLE_SHADOW_LINES:
    case IDC_STYLE_SHADOW_TEXT:
    case IDC_STYLE_REVERSE_TEXT:
        if (notification == BN_CLICKED)
            ApplyFlagBox(dialog, id);
        return true;
    default:
        return false;
    }
}

} // namespace

LockedStyleList::LockedStyleList(HGLOBAL block) : block_(block)
{
    bytes_ = block ? static_cast<unsigned char*>(GlobalLock(block)) : nullptr;
    if (!bytes_)
        return;
    const SIZE_T size = GlobalSize(block);
    if (size < static_cast<SIZE_T>(kColorStyleListHead)) {
        GlobalUnlock(block_);
        bytes_ = nullptr;
        return;
    }
    int32_t count = 0;
    std::memcpy(&count, bytes_, sizeof(count));
    const SIZE_T room = (size - kColorStyleListHead) / sizeof(ColorStyle);
    count_ = count < 0 ? 0 : (static_cast<SIZE_T>(count) > room ? static_cast<int>(room) : count);
    styles_ = reinterpret_cast<ColorStyle*>(bytes_ + kColorStyleListHead);
}

LockedStyleList::~LockedStyleList()
{
    if (bytes_)
        GlobalUnlock(block_);
}

void LockedStyleList::setCount(int count)
{
    if (!bytes_)
        return;
    const int32_t stored = count;
    std::memcpy(bytes_, &stored, sizeof(stored));
    count_ = count;
}

ColorStyle WorkStyle()
{
    ColorStyle style;
    std::memcpy(&style, Exchange.workStyle, sizeof(style));
    return style;
}

void SetWorkStyle(const ColorStyle& style)
{
    std::memcpy(Exchange.workStyle, &style, sizeof(style));
}

ColorStyle InputStyle()
{
    ColorStyle style;
    std::memcpy(&style, Exchange.styleIn, sizeof(style));
    return style;
}

void StyleName(const ColorStyle& style, char* name, int size)
{
    const int stored = static_cast<int>(sizeof(style.name));
    const int length = size - 1 < stored ? size - 1 : stored;
    std::memcpy(name, style.name, static_cast<size_t>(length));
    name[length] = 0;
}

void CheckStyleFlags(HWND dialog, const ColorStyle& style)
{
    const struct {
        int id;
        uint32_t flag;
    } boxes[] = {{IDC_STYLE_SHADOW_LINES, kStyleShadowOnLines},
                 {IDC_STYLE_SHADOW_TEXT, kStyleShadowOnText},
                 {IDC_STYLE_REVERSE_TEXT, kStyleReverseTextShadow}};
    for (const auto& box : boxes)
        CheckDlgButton(dialog, box.id, (style.flags & box.flag) ? BST_CHECKED : BST_UNCHECKED);
}

void ApplyFlagBox(HWND dialog, int id)
{
    const uint32_t flag = id == IDC_STYLE_SHADOW_LINES ? kStyleShadowOnLines
                          : id == IDC_STYLE_SHADOW_TEXT ? kStyleShadowOnText
                                                        : kStyleReverseTextShadow;
    ColorStyle style = WorkStyle();
    SetStyleFlag(&style, flag, IsDlgButtonChecked(dialog, id) == BST_CHECKED);
    SetWorkStyle(style);
    CheckStyleFlags(dialog, style);
    RepaintStyleSample(dialog);
}

void RepaintStyleSample(HWND dialog)
{
    RefreshSampleWindow(GetDlgItem(dialog, IDC_STYLE_SAMPLE));
}

INT_PTR CALLBACK StyleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog);
        return TRUE;
    }
    if (message == WM_HELP || message == WM_CONTEXTMENU)
        return ShowControlHelp(dialog, message, wParam, lParam, StyleHelpPairs().data()) ? TRUE : FALSE;
    if (message != WM_COMMAND)
        return FALSE;
    return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
}

int RunStyleDlg(HGLOBAL drawing, ColorStyle* style, HPALETTE palette, int* toFills, int* toLines)
{
    Exchange.mainValue = 0;
    SamplePalette = palette;
    SampleDrawing = drawing;
    std::memcpy(Exchange.styleIn, style, sizeof(*style));
    SampleDrawCallback = DrawStyleSample;
    const INT_PTR result = RunModalDialog({TEMPLATE_STYLE, StyleDlgHandler, kStyleHelpTopic, nullptr});
    SamplePalette = nullptr;
    SampleDrawing = nullptr;
    if (result != 1)
        return 0;
    *style = WorkStyle();
    *toFills = Exchange.firstExtra;
    *toLines = Exchange.thirdExtra;
    return 1;
}
