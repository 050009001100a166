#include "frame/options_dialog.h"

#include <initializer_list>

#include "common/dialog_exchange.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "frame/environment_changes.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"

namespace {

const int kOptionsHelpTopic = 30000;
const int32_t kPreviewNever = 0;
const int32_t kPreviewAlways = -1;
const int32_t kPreviewWhenSmall = 200;

// Each check box or radio that stands for one bit of the flag word.
struct FlagControl {
    int id;
    int32_t bit;
};

const FlagControl kFlagControls[] = {
    {IDC_OPT_START_WELCOME, kOptionFlagStartWelcome},
    {IDC_OPT_START_OPEN, kOptionFlagStartOpen},
    {IDC_OPT_NEW_TEMPLATE_DIALOG, kOptionFlagTemplateChooser},
    {IDC_OPT_NEW_COPY_TEMPLATE, kOptionFlagCopyDefaultTemplate},
    {IDC_OPT_HINTS, kOptionsHints},
    {IDC_OPT_PAGE_LINES_ALL, kOptionFlagPageBreaksAlways},
};

const DWORD kHelpPairs[] = {
    IDC_OPT_START_WELCOME, 15046, IDC_OPT_START_OPEN, 15046, IDC_OPT_START_NEW, 15046,
    IDC_OPT_NEW_DEFAULTS, 15039, IDC_OPT_NEW_COPY_TEMPLATE, 15039, IDC_OPT_NEW_TEMPLATE_DIALOG, 15039,
    IDC_OPT_HINTS, 15038, IDC_OPT_PAGE_LINES_50, 15047, IDC_OPT_PAGE_LINES_ALL, 15047,
    IDC_OPT_PREVIEW_NEVER, 15048, IDC_OPT_PREVIEW_ALWAYS, 15048, IDC_OPT_PREVIEW_SMALL, 15048,
    IDC_OPT_OPEN_MAXIMIZED, 15049, 0, 0,
};

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// One of a group of radios: the bit's, the other bit's, or the last one.
int RadioOf(int32_t flags, int32_t first, int firstId, int32_t second, int secondId, int noneId)
{
    if (flags & first)
        return firstId;
    return (flags & second) ? secondId : noneId;
}

int PreviewRadio(int32_t setting)
{
    if (setting == kPreviewNever)
        return IDC_OPT_PREVIEW_NEVER;
    return setting == kPreviewAlways ? IDC_OPT_PREVIEW_ALWAYS : IDC_OPT_PREVIEW_SMALL;
}

void InitOptionsDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_5);
    const int32_t flags = Exchange.mainValue;
    CheckRadioButton(dialog, IDC_OPT_START_WELCOME, IDC_OPT_START_NEW,
                     RadioOf(flags, kOptionFlagStartWelcome, IDC_OPT_START_WELCOME, kOptionFlagStartOpen,
                             IDC_OPT_START_OPEN, IDC_OPT_START_NEW));
    const int newRadio = RadioOf(flags, kOptionFlagCopyDefaultTemplate, IDC_OPT_NEW_COPY_TEMPLATE,
                                 kOptionFlagTemplateChooser, IDC_OPT_NEW_TEMPLATE_DIALOG, IDC_OPT_NEW_DEFAULTS);
    for (int id : {IDC_OPT_NEW_DEFAULTS, IDC_OPT_NEW_COPY_TEMPLATE, IDC_OPT_NEW_TEMPLATE_DIALOG})
        CheckDlgButton(dialog, id, id == newRadio ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_OPT_PAGE_LINES_50, IDC_OPT_PAGE_LINES_ALL,
                     (flags & kOptionFlagPageBreaksAlways) ? IDC_OPT_PAGE_LINES_ALL : IDC_OPT_PAGE_LINES_50);
    CheckRadioButton(dialog, IDC_OPT_PREVIEW_NEVER, IDC_OPT_PREVIEW_SMALL, PreviewRadio(Exchange.secondValue));
    CheckDlgButton(dialog, IDC_OPT_HINTS, (flags & kOptionsHints) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPT_OPEN_MAXIMIZED,
                   (Exchange.thirdExtra & kMoreAttachedMaximized) ? BST_CHECKED : BST_UNCHECKED);
}

void TakeOptionsChoice(HWND dialog)
{
    int32_t flags = Exchange.mainValue;
    for (const FlagControl& control : kFlagControls)
        flags = Checked(dialog, control.id) ? (flags | control.bit) : (flags & ~control.bit);
    Exchange.mainValue = flags;
    Exchange.thirdExtra = Checked(dialog, IDC_OPT_OPEN_MAXIMIZED) ? (Exchange.thirdExtra | kMoreAttachedMaximized)
                                                                    : (Exchange.thirdExtra & ~kMoreAttachedMaximized);
    if (Checked(dialog, IDC_OPT_PREVIEW_NEVER))
        Exchange.secondValue = kPreviewNever;
    else
        Exchange.secondValue = Checked(dialog, IDC_OPT_PREVIEW_ALWAYS) ? kPreviewAlways : kPreviewWhenSmall;
}

} // namespace

INT_PTR CALLBACK OptionsDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitOptionsDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK || HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        TakeOptionsChoice(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

int RunOptionsDlg()
{
    OptionsRecord* options = Options();
    if (!options)
        return 0;
    Exchange.mainValue = options->flags;
    Exchange.secondValue = options->quickPreviews;
    Exchange.thirdExtra = options->moreFlags;
    const INT_PTR result = RunModalDialog({TEMPLATE_OPTIONS, OptionsDlgHandler, kOptionsHelpTopic, nullptr, 0, kHelpPairs});
    if (result == 1) {
        options->flags = Exchange.mainValue;
        options->quickPreviews = Exchange.secondValue;
        options->moreFlags = Exchange.thirdExtra;
    }
    // Page lines and quick previews show in the views at once.
    OnPaletteChanged(nullptr);
    return static_cast<int>(result);
}
