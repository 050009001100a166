#include "lines/array_bounds.h"

#include <algorithm>

#include "common/rect_helpers.h"
#include "lines/arrowheads.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"

namespace {

void Widen(RECT* r, int left, int top, int right, int bottom)
{
    r->left -= left;
    r->top -= top;
    r->right += right;
    r->bottom += bottom;
}

void Join(RECT* total, const RECT& r)
{
    total->left = std::min<int>(total->left, r.left);
    total->top = std::min<int>(total->top, r.top);
    total->right = std::max<int>(total->right, r.right);
    total->bottom = std::max<int>(total->bottom, r.bottom);
}

} // namespace

void ComputeArrayBoundsFrom(const DrawingRecord* drawing, DrawingObject* array, const ArrayBranchHead* list)
{
    bool vertical = ArrayIsVertical(array);
    bool linear = ArrayIsLinear(list);
    int h1 = array->lineWidth / 2;
    int h2 = array->lineWidth - h1;
    if (linear) {
        h1 = std::max<int>(h1, 50);
        h2 = std::max<int>(h2, 50);
    }
    int along = 0;
    int across = 0;
    if (array->arrowEnds != 0) {
        int32_t e1 = GetArrowheadExtent(static_cast<uint32_t>(array->startArrow), array->arrowSize, array->lineWidth);
        int32_t e2 = GetArrowheadExtent(static_cast<uint32_t>(array->endArrow), array->arrowSize, array->lineWidth);
        across = std::max<int>(ExtentAcross(e1), ExtentAcross(e2));
        along = std::max<int>(ExtentAlong(e1), ExtentAlong(e2));
    }
    int A = across;
    int B = along;
    RECT shadow = {0, 0, 0, 0};
    if (drawing && ObjectHasShadow(drawing, array))
        GetShadowExtent(drawing, &shadow, 1);

    RECT core = {0x7FFF, 0x7FFF, 0, 0};
    RECT total = {0x7FFF, 0x7FFF, 0, 0};
    for (int i = 0; i < list->entryCount; ++i) {
        const ArrayBranchEntry* e = ArrayEntryAt(list, i);
        RECT r = {std::min<int>(e->left, e->right), std::min<int>(e->top, e->bottom), std::max<int>(e->left, e->right),
                  std::max<int>(e->top, e->bottom)};
        Join(&core, r);
        bool branchOfLinear = linear && i > 2;
        if (e->left == e->right) {
            Widen(&r, h1, 0, h2, 0);
            if (!vertical || branchOfLinear)
                Widen(&r, A, B, A, B);
        } else if (e->top == e->bottom) {
            Widen(&r, 0, h1, 0, h2);
            if (vertical || branchOfLinear)
                Widen(&r, B, A, B, A);
        } else {
            Widen(&r, h1, h1, h2, h2);
            if (vertical)
                Widen(&r, B, B, B, B);
        }
        ExpandRect(&r, &shadow);
        Join(&total, r);
    }
    if (!linear && list->entryCount == 1) {
        if (vertical)
            Widen(&total, 0, 150, 0, 150);
        else
            Widen(&total, 150, 0, 150, 0);
    }
    int dx;
    int dy;
    if (vertical) {
        dx = array->kindCoordinate;
        dy = array->inner.top - core.top;
    } else {
        dx = array->inner.left - core.left;
        dy = array->kindCoordinate;
    }
    OffsetRect(&core, dx, dy);
    OffsetRect(&total, dx, dy);
    array->inner = core;
    array->frame = total;
    array->bounds = total;
    InflateRect(&array->bounds, 30, 30);
    if (linear) {
        if (vertical)
            InflateRect(&array->bounds, 6, 0);
        else
            InflateRect(&array->bounds, 0, 6);
    }
    array->textFrame = array->inner;
}

void ComputeArrayBounds(const DrawingRecord* drawing, void* table, int index)
{
    DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return;
    ComputeArrayBoundsFrom(drawing, array, record.Get());
}
