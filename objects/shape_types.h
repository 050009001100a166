// The 27 shape types of shape objects (DrawingObject +216).
#pragma once

enum ShapeType : int {
    kShapeBoxPoints = 0,        // a creation request (text box); also the box-point set
    kShapePicture = 1,          // a creation request only
    kShapeRectangle = 2,
    kShapeRoundRect = 3,
    kShapeOval = 4,
    kShapeInputOutput = 5,
    kShapeDecision = 6,
    kShapeDocument = 7,
    kShapeTerminate = 8,
    kShapeCircle = 9,
    kShapeRightArrow = 10,
    kShapeLeftArrow = 11,
    kShapeTopArrow = 12,
    kShapeBottomArrow = 13,
    kShapeTriangle = 14,
    kShapeReverseTriangle = 15,
    kShapeManualInput = 16,
    kShapeTrapezoid = 17,
    kShapeManualOperation = 18,
    kShapeOctagon = 19,
    kShapeOnlineStorage = 20,
    kShapePreparation = 21,
    kShapeOffPage = 22,
    kShapePentagon = 23,
    kShapeDelay = 24,
    kShapeDisplay = 25,
    kShapeFreeform = 26,
    kShapeTypeCount = 27,
};

// 1 for the types whose thick border is drawn as a ring polygon.
int IsRingOutlineType(int shapeType);
