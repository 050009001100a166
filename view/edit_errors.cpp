#include "view/edit_errors.h"

#include "common/info_dialog.h"
#include "common/results.h"
#include "objects/selection_attributes.h"

void ReportEditError(ErrorCode code)
{
    switch (code.value) {
    case kErrNone:
        return;
    case kErrOutsideDrawing:
        WarnById(29);
        return;
    case kErrTooManyObjects:
        WarnById(30);
        return;
    case kErrTooManyLinks:
        WarnById(56);
        return;
    case kErrBadMetafile:
        ShowInfoDialog("INFO_BADMETA", 30053);
        return;
    default:
        WarnById(17);
        return;
    }
}

ErrorCode ApplyToSelectionWarning(HWND view, int message, INT_PTR value, INT_PTR pointer, int insideStep)
{
    int warning = 0;
    const ErrorCode code = ApplyToSelection(view, message, value, pointer, insideStep, &warning);
    if (warning != 0)
        WarnById(warning);
    return code;
}

void RunSelectionCommand(HWND view, int message, INT_PTR value, INT_PTR pointer)
{
    ReportEditError(ApplyToSelectionWarning(view, message, value, pointer, 0));
}
