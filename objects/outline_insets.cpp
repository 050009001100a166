#include "objects/outline_insets.h"

#include <cmath>

#include "objects/geometry_math.h"
#include "objects/shape_types.h"

namespace {

// a * numerator / divisor truncated, written only when the divisor is not 0.
void SetInset(LONG* inset, double a, double numerator, double divisor)
{
    if (divisor != 0.0)
        *inset = TruncToInt(a * numerator / divisor);
}

} // namespace

void ComputeOutlineInsets(const RECT* rect, int lineWidth, double p, int shapeType, RECT* insets)
{
    double a = lineWidth;
    int wi = rect->right - rect->left;
    int hi = rect->bottom - rect->top;
    double W = wi;
    double H = hi;
    double sh = p * W;
    double sv = p * H;
    // Every inset starts as the line width: a slanted edge only ever widens it.
    insets->left = insets->top = insets->right = insets->bottom = lineWidth;
    switch (shapeType) {
    case kShapeInputOutput:
    case kShapeTrapezoid:
    case kShapeManualOperation:
        SetInset(&insets->left, a, std::sqrt(H * H + sh * sh) + sh, H);
        insets->right = insets->left;
        break;
    case kShapeDecision:
        SetInset(&insets->left, a, std::sqrt(W * W + H * H), H);
        insets->right = insets->left;
        SetInset(&insets->top, a, std::sqrt(W * W + H * H), W);
        insets->bottom = insets->top;
        break;
    case kShapeRightArrow:
    case kShapeLeftArrow: {
        LONG* slanted = shapeType == kShapeRightArrow ? &insets->right : &insets->left;
        SetInset(slanted, a, std::sqrt(H * H + 4.0 * sh * sh), H);
        SetInset(&insets->top, a, H + std::sqrt(H * H + 4.0 * sh * sh), 2.0 * sh);
        insets->bottom = insets->top;
        break;
    }
    case kShapeTopArrow:
    case kShapeBottomArrow: {
        LONG* slanted = shapeType == kShapeTopArrow ? &insets->top : &insets->bottom;
        SetInset(slanted, a, std::sqrt(W * W + 4.0 * sv * sv), W);
        SetInset(&insets->left, a, W + std::sqrt(W * W + 4.0 * sv * sv), 2.0 * sv);
        insets->right = insets->left;
        break;
    }
    case kShapeTriangle:
    case kShapeReverseTriangle: {
        double d = wi / 2;
        SetInset(&insets->left, a, d + std::sqrt(H * H + d * d), H);
        insets->right = insets->left;
        SetInset(shapeType == kShapeTriangle ? &insets->top : &insets->bottom, a, std::sqrt(H * H + d * d), d);
        break;
    }
    case kShapeManualInput:
        SetInset(&insets->top, a, sv + std::sqrt(W * W + sv * sv), W);
        break;
    case kShapePreparation: {
        double d = hi / 2;
        SetInset(&insets->left, a, std::sqrt(d * d + sh * sh), d);
        insets->right = insets->left;
        break;
    }
    case kShapeOffPage: {
        double d = wi / 2;
        SetInset(&insets->bottom, a, std::sqrt(d * d + sv * sv), d);
        break;
    }
    case kShapePentagon:
    case kShapeDisplay: {
        double d = hi / 2;
        SetInset(&insets->left, a, std::sqrt(d * d + sh * sh), d);
        break;
    }
    default:
        break;
    }
}
