// Message codes of the object-kind procedures.
#pragma once

enum KindMessage : int {
    kMsgDraw = 1,
    kMsgHitTest = 2,
    kMsgDrawHandles = 3,
    kMsgHandleFeedback = 4,
    kMsgMoveFeedback = 5,
    kMsgResizeByHandle = 6,
    kMsgSetOutlineWidth = 7,
    kMsgSetOutlineStyle = 8,
    kMsgSetFillPattern = 9,
    kMsgResizeToRect = 10,
    kMsgInitObject = 11,
    kMsgAboutToDelete = 12,
    kMsgTextTypeface = 13,
    kMsgTextSize = 14,
    kMsgTextSetStyle = 15,
    kMsgTextClearStyle = 16,
    kMsgSetOutlineColor = 17,
    kMsgTextColor = 18,
    kMsgTextAlignment = 19,
    kMsgTextOption = 20,
    kMsgSetFillColor = 21,
    kMsgTextSizeUp = 22,
    kMsgTextSizeDown = 23,
    kMsgSetArrowEnds = 24,
    kMsgSetRotation = 25,
    kMsgOffset = 26,
    kMsgNewObjectFeedback = 27,
    kMsgCollectShapeAttributes = 28,
    kMsgCommandBits = 29,
    kMsgShadowSilhouette = 31,
    kMsgShadowOutline = 32,
    kMsgFillOnly = 33,
    kMsgShadowSchemeChanged = 34,
    kMsgSetLineColor = 35,
    kMsgSetLineWidth = 36,
    kMsgSetLineStyle = 37,
    kMsgCollectLineAttributes = 38,
    kMsgSetTextBoxWord = 40,
    kMsgHookPoints = 41,
    kMsgMapBoxPoints = 42,
    kMsgDrawHookMarkers = 43,
    kMsgCapabilities = 44,
    kMsgConnectPoints = 45,
    kMsgEndOfHandle = 46,
    kMsgAnchorPoint = 47,
    kMsgMovedFrame = 48,
    kMsgAdjustFeedback = 49,
    kMsgSetShapeType = 50,
    kMsgMayLink = 51,
    kMsgParameterDefaults = 52,
    kMsgSizingDefault = 53,
    kMsgSlotAttached = 54,
    kMsgSize = 55,
    kMsgLayoutRect = 56,
    kMsgSetAdjustFromHandle = 57,
    kMsgFlip = 58,
    kMsgShadowFlags = 59,
    kMsgTextSizing = 60,
    kMsgLineType = 61,
    kMsgSideOfPoint = 62,
    kMsgArrowheads = 63,
    kMsgRecompute = 64,
    kMsgDrawnRect = 65,
    kMsgRotateFeedback = 66,
    kMsgRotateToPoint = 67,
    kMsgRotateHandle = 68,
    kMsgOutlinePolygon = 69,
    kMsgLineRotationReference = 70,
    kMsgLineRectInGroup = 71,
    kMsgLineAngle = 72,
    kMsgMakeShapePoints = 73,
    kMsgMakeShapePieces = 74,
    kMsgExpandArcPiece = 75,
    kMsgShapeToLinePieces = 76,
    kMsgTakeLineType = 77,
    kMsgClearWord = 78,
    kMsgLinkChanged = 79,
    kMsgBranchAnchor = 80,
    kMsgBranchStem = 81,
    kMsgShowLength = 82,
    kMsgArrayStyle = 83,
    kMsgBoxPosition = 84,
    kMsgTextFrame = 85,
    kMsgLayoutRectAlt = 86,
    kMsgLineBounds = 87,
    kMsgLineTextLevel = 88,
};

// The text commands a kind with text hands on to the object's text.
inline bool IsObjectTextMessage(int message)
{
    switch (message) {
    case kMsgTextTypeface:
    case kMsgTextSize:
    case kMsgTextSetStyle:
    case kMsgTextClearStyle:
    case kMsgTextColor:
    case kMsgTextAlignment:
    case kMsgTextOption:
    case kMsgTextSizeUp:
    case kMsgTextSizeDown:
    case kMsgTextFrame:
        return true;
    default:
        return false;
    }
}
