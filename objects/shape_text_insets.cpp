#include "objects/shape_text_insets.h"

#include <algorithm>

#include "common/rect_helpers.h"
#include "objects/drawing_layout.h"
#include "objects/geometry_math.h"
#include "objects/shape_types.h"

namespace {

const double kCornerCut = 0.292893218;     // 1 - 1/sqrt 2
const double kHalfCornerCut = 0.146446609;
const double kInvRoot2 = 0.707106782;

} // namespace

void ComputeShapeTextInsets(DrawingObject* object, int fromText)
{
    double W = object->frame.right - object->frame.left;
    double H = object->frame.bottom - object->frame.top;
    double p = object->adjust;
    double f = p + 1.0 != 0.0 ? p / (p + 1.0) : 0.0;
    double g = 2.0 * p + 1.0 != 0.0 ? p / (2.0 * p + 1.0) : 0.0;
    bool mirrorH = (object->optionFlags & kOptionFlipH) != 0;
    bool mirrorV = (object->optionFlags & kOptionFlipV) != 0;
    double* fr = object->textInsetFractions;
    auto set = [fr](double left, double top, double right, double bottom) {
        fr[0] = left;
        fr[1] = top;
        fr[2] = right;
        fr[3] = bottom;
    };
    auto all = [&set](double v) { set(v, v, v, v); };

    switch (object->shapeType) {
    case kShapeRoundRect:
        W = H = std::min(W, H);
        all(kCornerCut * p);
        break;
    case kShapeOval:
    case kShapeCircle:
        all(kHalfCornerCut);
        break;
    case kShapeInputOutput:
        all(f);
        break;
    case kShapeDecision:
        all(0.25);
        break;
    case kShapeDocument:
        set(0, mirrorV ? 2 * p : 0, 0, mirrorV ? 0 : 2 * p);
        break;
    case kShapeTerminate:
        W = H = std::min(W, H);
        all(kHalfCornerCut);
        break;
    case kShapeRightArrow:
        set(0, 0.15, 0.7 * p, 0.15);
        break;
    case kShapeLeftArrow:
        set(0.7 * p, 0.15, 0, 0.15);
        break;
    case kShapeTopArrow:
        set(0.15, 0.7 * p, 0.15, 0);
        break;
    case kShapeBottomArrow:
        set(0.15, 0, 0.15, 0.7 * p);
        break;
    case kShapeTriangle:
        set(0.25, 0.5, 0.25, 0);
        break;
    case kShapeReverseTriangle:
        set(0.25, 0, 0.25, 0.5);
        break;
    case kShapeManualInput:
        set(0, mirrorV ? 0 : p, 0, mirrorV ? p : 0);
        break;
    case kShapeTrapezoid:
        set(f, f, f, 0);
        break;
    case kShapeManualOperation:
        set(f, 0, f, f);
        break;
    case kShapeOctagon:
        W = H = std::min(W, H);
        all(0.5 * p);
        break;
    case kShapeOnlineStorage:
        set(mirrorH ? p : kCornerCut * p, kHalfCornerCut, mirrorH ? kCornerCut * p : p, kHalfCornerCut);
        break;
    case kShapePreparation:
        all(g);
        break;
    case kShapeOffPage:
        set(g, mirrorV ? g : 0, g, mirrorV ? 0 : g);
        break;
    case kShapePentagon:
        set(mirrorH ? 0 : g, g, mirrorH ? g : 0, g);
        break;
    case kShapeDelay:
        set(mirrorH ? kCornerCut * p : 0, kHalfCornerCut, mirrorH ? 0 : kCornerCut * p, kHalfCornerCut);
        break;
    case kShapeDisplay:
        set(mirrorH ? kCornerCut * p : kInvRoot2 * p, kHalfCornerCut, mirrorH ? kInvRoot2 * p : kCornerCut * p,
            kHalfCornerCut);
        break;
    default:
        break;   // the creator's fractions stay
    }

    double dH = 1.0;
    double dV = 1.0;
    if (fromText) {
        dH = 1.0 - (fr[0] + fr[2]);
        dV = 1.0 - (fr[1] + fr[3]);
        // Fractions that leave no room for text cannot be scaled up to a shape.
        if (!(dH > 0.0))
            dH = 1.0;
        if (!(dV > 0.0))
            dV = 1.0;
    }
    object->textInsets.left = TruncToInt(fr[0] * W / dH);
    object->textInsets.top = TruncToInt(fr[1] * H / dV);
    object->textInsets.right = TruncToInt(fr[2] * W / dH);
    object->textInsets.bottom = TruncToInt(fr[3] * H / dV);
}

void ComputeTextFrame(DrawingObject* object)
{
    object->textFrame = object->inner;
    ShrinkRect(&object->textFrame, &object->textInsets);
    ShrinkRect(&object->textFrame, &object->textMargins);
}
