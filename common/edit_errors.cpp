#include "common/edit_errors.h"

#include "common/info_dialog.h"
#include "common/results.h"

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
