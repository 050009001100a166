#include "view/selection_command_report.h"

#include "common/edit_errors.h"
#include "common/results.h"
#include "objects/selection_attributes.h"

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
