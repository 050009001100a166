#include "objects/shape_parameters.h"

#include "objects/shape_types.h"

int GetShapeParameterDefaults(int shapeType, ShapeParameterRange* range)
{
    ShapeParameterRange value = {0.0, 0.0, 0.0};
    switch (shapeType) {
    case kShapeRoundRect:
    case kShapeInputOutput:
    case kShapeManualInput:
    case kShapeTrapezoid:
    case kShapeManualOperation:
    case kShapeOnlineStorage:
        value = {0.2, 0.1, 0.4};
        break;
    case kShapeDocument:
        value = {0.1, 0.05, 0.3};
        break;
    case kShapeRightArrow:
    case kShapeLeftArrow:
    case kShapeTopArrow:
    case kShapeBottomArrow:
    case kShapeOffPage:
    case kShapePentagon:
        value = {0.3, 0.1, 0.8};
        break;
    case kShapeOctagon:
        value = {0.33, 0.1, 0.4};
        break;
    case kShapePreparation:
        value = {0.25, 0.1, 0.4};
        break;
    case kShapeDelay:
        value = {0.33, 0.1, 0.5};
        break;
    case kShapeDisplay:
        value = {0.2, 0.1, 0.3};
        break;
    default:
        break;
    }
    if (range)
        *range = value;
    return 0;
}
