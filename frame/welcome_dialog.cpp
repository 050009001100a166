#include "frame/welcome_dialog.h"

#include <cstdio>
#include <cstring>

#include "common/dialog_exchange.h"
#include "common/help_filter.h"
#include "common/help_mode.h"
#include "common/modal_dialog.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

// A tip's help topic is its string id less this.
const int kTipTopicOffset = 6778;
const int kHelpButton = 9;
const int kTipTextSize = 2 * kStringBufferSize;

void ShowTip(HWND dialog, int tip)
{
    char prefix[kStringBufferSize];
    char body[kStringBufferSize];
    LoadStrOrBlank(IDS_TIP_PREFIX, prefix);
    LoadStrOrBlank(tip, body);
    char text[kTipTextSize];
    std::snprintf(text, sizeof(text), "%s%d: %s", prefix, tip - IDS_TIP_PREFIX, body);
    SetDlgItemTextA(dialog, IDC_TIP_TEXT, text);
}

void SetFlag(int32_t* flags, int32_t bit, bool on)
{
    *flags = on ? (*flags | bit) : (*flags & ~bit);
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void InitWelcomeDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_3);
    if (Exchange.mainValue != 0)
        CheckRadioButton(dialog, IDC_WELCOME_CREATE, IDC_WELCOME_OPEN, Exchange.mainValue);
    const OptionsRecord* options = Options();
    const int32_t flags = options ? options->flags : 0;
    CheckDlgButton(dialog, IDC_WELCOME_HINTS, (flags & kOptionsHints) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_WELCOME_SHOW, (flags & kOptionFlagStartWelcome) ? BST_CHECKED : BST_UNCHECKED);
    ShowTip(dialog, Exchange.secondExtra);
}

// The switches write the options at once; the Options dialog shows the same bits.
void TakeWelcomeChoice(HWND dialog)
{
    if (Exchange.mainValue != 0)
        Exchange.mainValue = Checked(dialog, IDC_WELCOME_OPEN) ? IDC_WELCOME_OPEN : IDC_WELCOME_CREATE;
    OptionsRecord* options = Options();
    if (!options)
        return;
    if (GetDlgItem(dialog, IDC_WELCOME_HINTS))
        SetFlag(&options->flags, kOptionsHints, Checked(dialog, IDC_WELCOME_HINTS));
    if (GetDlgItem(dialog, IDC_WELCOME_SHOW))
        SetFlag(&options->flags, kOptionFlagStartWelcome, Checked(dialog, IDC_WELCOME_SHOW));
}

void StepTip(HWND dialog, int tip)
{
    Exchange.secondExtra = tip;
    ShowTip(dialog, tip);
}

bool OnWelcomeCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_TIP_NEXT:
        StepTip(dialog, NextTip(Exchange.secondExtra));
        return true;
    case IDC_TIP_PREVIOUS:
        StepTip(dialog, PreviousTip(Exchange.secondExtra));
        return true;
    case IDC_TIP_DETAILS:
        ShowHelpTopic(Exchange.secondExtra - kTipTopicOffset);
        return true;
    case kHelpButton:
    case kContextHelpCommand:
        ShowHelpTopic(Exchange.helpTopic != 0 ? Exchange.helpTopic : Exchange.secondExtra - kTipTopicOffset);
        return true;
    case IDOK:
        TakeWelcomeChoice(dialog);
        EndDialog(dialog, 1);
        return true;
    default:
        return false;
    }
}

} // namespace

int FirstTipFor(int counter)
{
    const int tip = kFirstTip + counter;
    return tip >= kFirstTip && tip <= kLastTip ? tip : kFirstTip;
}

int NextTip(int tip)
{
    return tip >= kLastTip ? kFirstTip : tip + 1;
}

int PreviousTip(int tip)
{
    return tip <= kFirstTip ? kLastTip : tip - 1;
}

int CounterAfter(int lastShown)
{
    return lastShown - IDS_TIP_PREFIX;
}

INT_PTR CALLBACK WelcomeDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitWelcomeDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        return OnWelcomeCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

INT_PTR RunWelcomeDialog(const char* templateName, int* choice, int helpTopic)
{
    OptionsRecord* options = Options();
    Exchange.mainValue = *choice;
    Exchange.helpTopic = helpTopic;
    Exchange.secondExtra = FirstTipFor(options ? options->tipNumber : 0);
    // The dialog answers Help itself: a tip's own topic when the caller has none.
    const INT_PTR result = RunModalDialog({templateName, WelcomeDlgHandler, 0, nullptr});
    if (result == 1)
        *choice = Exchange.mainValue;
    if (options && result != -1)
        options->tipNumber = CounterAfter(Exchange.secondExtra);
    return result == 1 ? result : 0;
}
