#include "lines/array_layout.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/flag_helpers.h"
#include "lines/array_bounds.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"

namespace {

const uint32_t kFollowFlags = kLinkTargetMoved | kLinkArrayMoved;

struct Measure {
    bool found = false;
    int stem = 0;       // the hanging object's answer to message 81
    int across = 0;
    int lineWidth = 0;
    bool shape = false;
};

void SetEntry(ArrayBranchEntry* e, int left, int top, int right, int bottom)
{
    e->left = left;
    e->top = top;
    e->right = right;
    e->bottom = bottom;
}

// The hanging object's rectangle, the group's frame when it belongs to
// another group than the array.
RECT HangingRect(void* table, void* groups, const DrawingObject* array, int objectIndex)
{
    DrawingObject* object = ObjectAt(table, objectIndex);
    bool ownGroup = object->groupIndex < 0 || (array->groupIndex >= 0 && object->groupKey == array->groupKey);
    RECT r = object->frame;
    if (ownGroup || !groups || object->groupIndex >= TableCount(groups)) {
        CallObjectKind(nullptr, nullptr, table, objectIndex, kMsgLayoutRectAlt, 1, 1, reinterpret_cast<INT_PTR>(&r));
        return r;
    }
    const GroupEntry* group = GroupEntryAt(groups, object->groupIndex);
    r = group->frame;
    if (group->rotation != 0) {
        POINT points[8];
        int count = 0;
        BuildTransformedShapeOutline(&r, &r, 0.0, 2, group->rotation, nullptr, points, &count, 0);
        if (count > 0)
            GetPointsBounds(&r, points, count);
    }
    return r;
}

RECT SwapRect(const RECT& r)
{
    return {r.top, r.left, r.bottom, r.right};
}

POINT AnchorPoint(void* table, int objectIndex, int code)
{
    POINT point = {0, 0};
    int handle = 0;
    CallObjectKind(nullptr, nullptr, table, objectIndex, kMsgAnchorPoint, code, reinterpret_cast<INT_PTR>(&handle),
                   reinterpret_cast<INT_PTR>(&point));
    return point;
}

// The attach point by which the array hangs, in the swapped (horizontal)
// frame of the layout.
POINT AttachPoint(const ArrayBranchHead* list, int attachEnd, bool stemAtEnd, bool singleLine)
{
    const ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
    if (singleLine) {
        if (ArrayIsLinear(list))
            return {e0->left, e0->top};
        return (list->flags & kArrayFlipSide) ? POINT{e0->left, e0->bottom} : POINT{e0->left, e0->top};
    }
    const ArrayBranchEntry* stem = ArrayEntryAt(list, 1);
    const ArrayBranchEntry* tail = ArrayEntryAt(list, 2);
    if (attachEnd == 1)
        return {stem->left, stem->top};
    if (attachEnd == 2)
        return stemAtEnd ? POINT{tail->right, tail->top} : POINT{tail->left, tail->bottom};
    return {0, 0};
}

void BuildSingleLine(ArrayBranchHead* list, int first)
{
    ArrayBranchEntry* e0 = ArrayEntryAt(list, 0);
    const ArrayBranchEntry* hanging = first < list->entryCount ? ArrayEntryAt(list, first) : nullptr;
    int32_t id = hanging ? hanging->id : kNoObjectId;
    int32_t hint = hanging ? hanging->hint : -1;
    if (!ArrayIsLinear(list)) {
        SetEntry(e0, 0, 0, 0, e0->extent);
    } else {
        ArrayBranchEntry* stem = ArrayEntryAt(list, 1);
        ArrayBranchEntry* tail = ArrayEntryAt(list, 2);
        e0->extent = std::max<int>(stem->extent + tail->extent, 150);
        SetEntry(e0, 0, 0, e0->extent, 0);
        SetEntry(stem, 0, 0, stem->extent, 0);
        SetEntry(tail, stem->extent, 0, stem->extent + tail->extent, 0);
    }
    e0->id = id;
    e0->hint = hint;
}

void Normalise(ArrayBranchHead* list)
{
    int first = FirstBranchEntry(list);
    if (first >= 3)
        return;
    int shift = 3 - first;
    for (int i = list->entryCount - 1; i >= first; --i)
        *ArrayEntryAt(list, i + shift) = *ArrayEntryAt(list, i);
    list->entryCount += shift;
    for (int i = first; i < 3; ++i) {
        ArrayBranchEntry* e = ArrayEntryAt(list, i);
        e->id = kNoObjectId;
        e->hint = 0;
        if (!ArrayIsLinear(list))
            e->extent = 150;
    }
}

// Branch entries placed along the trunk; returns the trunk's end.
int PlaceBranches(ArrayBranchHead* list, const Measure* measures, int maxAcross, int maxFirstRow)
{
    const int first = 3;
    const int count = list->entryCount;
    const bool linear = ArrayIsLinear(list);
    const bool both = (list->flags & kArrayBothSides) != 0;
    const bool staggered = (list->flags & kArrayStaggered) != 0;
    const bool negative = (list->flags & kArrayFlipSide) != 0;
    const int L = list->branchLength;
    const int gap = list->gap;
    int pos = ArrayStemAtEnd(list) ? ArrayEntryAt(list, 1)->extent : 0;
    int alt = pos;
    int start = pos;
    int toggle = 0;

    auto branch = [&](ArrayBranchEntry* e, int x, int length, bool onNegative) {
        if (onNegative)
            SetEntry(e, x, -length, x, 0);
        else
            SetEntry(e, x, 0, x, length);
    };

    for (int i = first; i < count; ++i) {
        const Measure& m = measures[i];
        if (!m.found)
            continue;
        ArrayBranchEntry* e = ArrayEntryAt(list, i);
        int s = 0;
        if (maxAcross != 0 && m.stem > maxAcross && !linear)
            e->extent = m.lineWidth;
        int extent = e->extent;
        if (i != first) {
            if (toggle == 0 && !linear)
                pos += extent / 2;
            else if (toggle == 1 && alt != 0)
                alt += extent / 2;
        }
        ArrayBranchEntry* next = i + 1 < count ? ArrayEntryAt(list, i + 1) : nullptr;
        if (!both) {
            if (!staggered || toggle == 0) {
                if (!linear) {
                    branch(e, pos, L, negative);
                } else {
                    int leftInset = e->left;
                    int rightInset = e->right;
                    SetEntry(e, start, 0, pos + leftInset, 0);
                    start = pos + extent - rightInset;
                }
            } else {
                pos = std::max<int>(pos, alt);
                branch(e, pos - gap / 2, 2 * L + maxFirstRow, negative);
                alt = pos;
            }
        } else if (!staggered) {
            if (i != first) {
                if (next)
                    alt += next->extent / 2;
                else
                    alt = pos;
            }
            alt = std::max<int>(alt, pos);
            pos = alt;
            branch(e, pos, L, negative);
            if (next)
                branch(next, pos, L, !negative);
            s = 1;
        } else if (toggle == 0) {
            branch(e, pos, L, negative);
        } else {
            pos = std::max<int>(pos, alt);
            branch(e, pos - gap / 2, L, !negative);
            alt = pos;
        }
        if (i < count - 1 - s) {
            if (toggle == 0)
                pos += linear ? extent + gap : gap + extent / 2;
            else
                alt += gap + extent / 2;
            if (both && !staggered) {
                if (next)
                    alt += gap + next->extent / 2;
                else
                    alt = pos;
            }
        } else if (linear) {
            pos = start;
        }
        if (staggered)
            toggle ^= 1;
        i += s;
    }
    if (staggered && toggle == 0)
        pos -= gap / 2;
    return pos;
}

void PlaceTrunk(ArrayBranchHead* list, int pos)
{
    ArrayBranchEntry* trunk = ArrayEntryAt(list, 0);
    ArrayBranchEntry* stem = ArrayEntryAt(list, 1);
    ArrayBranchEntry* tail = ArrayEntryAt(list, 2);
    if (!ArrayStemAtEnd(list)) {
        SetEntry(trunk, 0, 0, pos, 0);
        if (list->flags & kArrayFlipSide)
            SetEntry(stem, pos / 2, 0, pos / 2, stem->extent);
        else
            SetEntry(stem, pos / 2, -stem->extent, pos / 2, 0);
        SetEntry(tail, pos / 2, 0, pos / 2, 0);
    } else {
        SetEntry(trunk, stem->extent, 0, pos, 0);
        SetEntry(stem, 0, 0, stem->extent, 0);
        SetEntry(tail, pos, 0, pos + tail->extent, 0);
    }
}

void LeanFishbone(ArrayBranchHead* list, int fish)
{
    const int first = FirstBranchEntry(list);
    int d = std::max<int>(fish - ArrayEntryAt(list, 0)->left, 0);
    int g = fish - d;
    for (int i = 0; i < first; ++i) {
        ArrayEntryAt(list, i)->left += d;
        ArrayEntryAt(list, i)->right += d;
    }
    if (g < 0) {
        d = -g;
        g = 0;
    }
    for (int i = first; i < list->entryCount; ++i) {
        ArrayEntryAt(list, i)->right += d;
        ArrayEntryAt(list, i)->left -= g;
    }
}

} // namespace

int GetArrayAttachEnd(const DrawingObject* array)
{
    if (array->linkCount < 1)
        return 0;
    int code = array->links[0].connectCode;
    return (code == 20 || code == 22) ? 1 : 2;
}

void SwapArrayAxes(ArrayBranchHead* list)
{
    int n = std::max<int>(list->entryCount, 3);
    for (int i = 0; i < n; ++i) {
        ArrayBranchEntry* e = ArrayEntryAt(list, i);
        std::swap(e->left, e->top);
        std::swap(e->right, e->bottom);
    }
}

ErrorCode LayoutArray(DrawingRecord* drawing, void* table, int index)
{
    DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    ErrorCode code = record.Find(drawing, index >= 0 ? table : nullptr, array);
    if (code == kErrNone)
        code = record.MarkChanged();
    if (code != kErrNone) {
        SetFlagBits(&array->stateFlags, kStateLayoutPending, 0);
        return code;
    }
    ArrayBranchHead* list = record.Get();
    const bool vertical = ArrayIsVertical(array);
    const int attachEnd = GetArrayAttachEnd(array);
    const int minimum = ArrayIsLinear(list) ? 1 : 2;
    const bool stemAtEnd = ArrayStemAtEnd(list);
    if (vertical)
        SwapArrayAxes(list);

    POINT oldAttach;
    POINT newAttach;
    if (list->branchCount < minimum) {
        oldAttach = AttachPoint(list, attachEnd, stemAtEnd, true);
        BuildSingleLine(list, FirstBranchEntry(list));
        list->entryCount = 1;
        newAttach = AttachPoint(list, attachEnd, stemAtEnd, true);
    } else {
        Normalise(list);
        const int count = list->entryCount;
        std::vector<Measure> measures(static_cast<size_t>(count));
        int maxAcross = 0;
        int maxFirstRow = 0;
        {
            LockedTable groups(drawing, kTableGroups);
            for (int i = 3; i < count && index >= 0; ++i) {
                ArrayBranchEntry* e = ArrayEntryAt(list, i);
                int objectIndex = FindObjectIndex(table, e->id, e->hint);
                if (objectIndex < 0)
                    continue;
                e->hint = objectIndex;
                const DrawingObject* object = ObjectAt(table, objectIndex);
                RECT r = HangingRect(table, groups.Get(), array, objectIndex);
                if (vertical)
                    r = SwapRect(r);
                Measure& m = measures[i];
                m.found = true;
                m.shape = object->kind == kKindShape;
                m.lineWidth = object->lineWidth;
                e->extent = r.right - r.left;
                if (ArrayIsLinear(list)) {
                    e->left = 0;
                    e->right = 0;
                    if (m.shape) {
                        POINT in = AnchorPoint(table, objectIndex, vertical ? 305 : 307);
                        POINT out = AnchorPoint(table, objectIndex, vertical ? 306 : 308);
                        e->left = (vertical ? in.y : in.x) - r.left;
                        e->right = r.right - (vertical ? out.y : out.x);
                    } else {
                        e->extent = 0;
                    }
                }
                int32_t stem = 0;
                CallObjectKind(nullptr, drawing, table, objectIndex, kMsgBranchStem, 0, 0,
                               reinterpret_cast<INT_PTR>(&stem));
                m.stem = stem;
                int across = r.bottom - r.top;
                if (m.shape && stem == 0)
                    maxAcross = std::max<int>(maxAcross, across);
                if ((list->flags & kArrayStaggered) && m.shape && ((i - 3) % 2) == 0)
                    maxFirstRow = std::max<int>(maxFirstRow, across);
            }
        }
        oldAttach = AttachPoint(list, attachEnd, stemAtEnd, false);
        int pos = PlaceBranches(list, measures.data(), maxAcross, maxFirstRow);
        PlaceTrunk(list, pos);
        int fish = GetFishboneOffset(list);
        if (fish != 0 && list->entryCount > 1)
            LeanFishbone(list, fish);
        newAttach = AttachPoint(list, attachEnd, stemAtEnd, false);
    }
    if (vertical)
        SwapArrayAxes(list);

    if (drawing)
        MarkLinksOf(drawing, array->objectId, kFollowFlags, array->groupKey, array->groupIndex);
    if (drawing && attachEnd != 0 && array->linkCount >= 1 && (oldAttach.x != newAttach.x || oldAttach.y != newAttach.y))
        MarkLinksOf(drawing, array->links[0].targetId, kFollowFlags, array->groupKey, array->groupIndex);
    ComputeArrayBoundsFrom(drawing, array, list);
    SetFlagBits(&array->stateFlags, kStateLayoutPending, 0);
    return kErrNone;
}
