// Edit operations on the selection of a drawing view, each one undo step.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/document_undo.h"

// EditOperationCode values the dispatcher carries out.
enum EditOperationCode : int {
    kEditCut = 2,
    kEditCopy = 3,
    kEditPaste = 4,
    kEditClear = 5,
    kEditTextSizing = 30,
    kEditDuplicate = 31,
    kEditLock = 32,
    kEditUseSnaps = 33,
    kEditSendToBack = 34,
    kEditBringToFront = 35,
    kEditAlign = 36,
    kEditNudge = 37,
    kEditImportMetafile = 38,
    kEditPlacePicture = 39,
    kEditSameSize = 40,
    kEditLinesLink = 42,
    kEditShapesLink = 43,
    kEditFlip = 44,
    kEditHideShadow = 45,
    kEditTextShadow = 46,
    kEditShapeSizing = 47,
    kEditGroup = 48,
    kEditUngroup = 49,
    kEditArrowheads = 50,
    kEditSpaceEvenly = 51,
    kEditJoin = 52,
    kEditShapeOutline = 53,
    kEditShowLength = 54,
    kEditCenterOnPage = 55,
    kEditLineTextDirection = 56,
};

// 10004 for a view without a view record. A command that does not apply (or
// whose operation this program does not carry yet) does nothing and answers 0.
ErrorCode DoEditOperation(HWND view, int operation, LPARAM argument, const POINT* point);
