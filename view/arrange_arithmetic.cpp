#include "view/arrange_arithmetic.h"

namespace {

const uint32_t kLowestSharedKey = 2;
const uint32_t kHighestKey = 0xFFFE;
const uint32_t kKeyLimit = 0xFFFF;
const int kWidthOnly = 1;
const int kHeightOnly = 2;
const int kKeepAspect = 3;

} // namespace

int32_t NextGroupKey(uint32_t smallest, uint32_t largest)
{
    if (smallest >= kLowestSharedKey && smallest <= kHighestKey)
        return static_cast<int32_t>(smallest - 1);
    return static_cast<int32_t>(largest + 1);
}

int32_t DuplicateKeyBase(uint32_t smallest, uint32_t largest, int rows)
{
    const uint32_t block = rows < 0 ? 0 : static_cast<uint32_t>(rows);
    // Keys start at 1, so the block below needs the smallest key above it.
    if (smallest < kKeyLimit && block < smallest)
        return static_cast<int32_t>(smallest - block);
    return static_cast<int32_t>(largest + 1);
}

void ClampDuplicateStep(const RECT& united, int width, int height, int* dx, int* dy)
{
    if (united.right + *dx >= width)
        *dx = width - united.right;
    if (united.bottom + *dy >= height)
        *dy = height - united.bottom;
    if (united.left + *dx < 0)
        *dx = -united.left;
    if (united.top + *dy < 0)
        *dy = -united.top;
}

POINT AlignOffset(int mode, const RECT& t, const RECT& r)
{
    switch (mode) {
    case kAlignLefts:
        return POINT{t.left - r.left, 0};
    case kAlignRights:
        return POINT{t.right - r.right, 0};
    case kAlignCentres:
        return POINT{(t.right - t.left) / 2 + t.left - (r.right - r.left) / 2 - r.left, 0};
    case kAlignTops:
        return POINT{0, t.top - r.top};
    case kAlignMiddles:
        return POINT{0, (t.bottom - t.top) / 2 + t.top - (r.bottom - r.top) / 2 - r.top};
    case kAlignBottoms:
        return POINT{0, t.bottom - r.bottom};
    default:
        return POINT{0, 0};
    }
}

int EvenGap(int firstNear, int furthestFar, int totalExtent, int count)
{
    if (count < 2)
        return 0;
    return (furthestFar - firstNear - totalExtent) / (count - 1);
}

bool ProportionalSize(int w, int h, int dw, int dh, bool widthAsked, int limitW, int limitH, int* newW, int* newH)
{
    const double ratio = static_cast<double>(w) / h;
    if (widthAsked) {
        *newW = w + dw;
        const double height = ratio == 0.0 ? h + dh : (w + dw) / ratio;
        if (height > limitH)
            return false;
        *newH = static_cast<int>(height);
        return true;
    }
    *newH = h + dh;
    const double width = (h + dh) * ratio;
    if (width > limitW)
        return false;
    *newW = static_cast<int>(width);
    return true;
}

int MirrorOffset(int groupNear, int groupFar, int itemNear, int itemFar)
{
    return (groupFar - itemFar) - (itemNear - groupNear);
}

void GrowUnderConstraint(RECT* frame, int constraint, int dx, int dy)
{
    const int width = frame->right - frame->left;
    const int height = frame->bottom - frame->top;
    switch (constraint) {
    case kWidthOnly:
        frame->right += dx;
        return;
    case kHeightOnly:
        frame->bottom += dy;
        return;
    case kKeepAspect:
        if (dx != 0 && width != 0) {
            frame->right += dx;
            frame->bottom = frame->top + static_cast<int>(static_cast<long long>(width + dx) * height / width);
        } else if (dy != 0 && height != 0) {
            frame->bottom += dy;
            frame->right = frame->left + static_cast<int>(static_cast<long long>(height + dy) * width / height);
        } else {
            frame->right += dx;
            frame->bottom += dy;
        }
        return;
    default:
        frame->right += dx;
        frame->bottom += dy;
        return;
    }
}
