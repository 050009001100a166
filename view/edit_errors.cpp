#include "view/edit_errors.h"

#include "common/results.h"

void ReportEditError(ErrorCode code)
{
    switch (code) {
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
        return;   // answered by the picture code's own notice
    default:
        WarnById(17);
        return;
    }
}
