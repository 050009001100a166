// Running a modal property dialog the one way every dialog of the program
// runs: F1 hooked into a help command, the dialog centred over the main
// window, the Help button and F1 showing the dialog's topic, Cancel ending it
// with 0. A dialog never opens over another one or in the middle of a drag:
// a command posted while a dialog is up would otherwise stack a second modal
// loop over the first.
#pragma once
#include <windows.h>

struct ModalDialog {
    const char* templateName;
    DLGPROC procedure;
    int helpTopic;
    HWND owner;  // none: the main window
    LPARAM parameter = 0;  // handed to the procedure with WM_INITDIALOG
    // What's This help of the controls: pairs (control id, topic) ending in
    // (0, 0); none when the dialog has no such help.
    const DWORD* helpPairs = nullptr;
};

// The dialog's result: 1 for OK, 0 for Cancel; -1 when it could not be made
// or was refused because another dialog or a drag is in progress.
INT_PTR RunModalDialog(const ModalDialog& dialog);

// Whether a new dialog owned by `owner` (none: the main window) may open now:
// a dialog may open one of its own, but nothing else may open while a modal
// dialog or a mouse drag is in progress.
bool ModalDialogAllowed(HWND owner);

// For the system's own dialogs (fonts, printers), which run their own loop:
// holds the same guard and F1 hook around the call. `entered()` is false
// when the dialog must not open.
class ModalDialogScope {
public:
    explicit ModalDialogScope(HWND owner);
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;
    bool entered() const { return entered_; }

private:
    bool entered_;
};

// The set-up's last step: centred over the main window, then shown.
void CentreAndShowDialog(HWND dialog);
// The field's text read as a number (atof); 0 for text that is no number.
double ReadDialogDouble(HWND dialog, int id);
// Writes a number with "%0.2f"-style precision into a field.
void WriteDialogDouble(HWND dialog, int id, double value, int decimals);
